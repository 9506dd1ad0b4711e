#pragma once
// The "&OK" and "&Cancel" buttons the insertion dialogs share.
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>

inline QDialogButtonBox* AddOkCancel(QDialog* dialog, QPushButton** ok, QPushButton** cancel)
{
    auto* buttons = new QDialogButtonBox(dialog);
    *ok = buttons->addButton(QCoreApplication::translate("InsertionDialogs", "&OK"), QDialogButtonBox::AcceptRole);
    (*ok)->setObjectName(QStringLiteral("cmdOK"));
    (*ok)->setDefault(true);
    *cancel = buttons->addButton(QCoreApplication::translate("InsertionDialogs", "&Cancel"), QDialogButtonBox::RejectRole);
    (*cancel)->setObjectName(QStringLiteral("cmdCancel"));
    return buttons;
}
