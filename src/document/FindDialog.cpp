// The Find and Replace dialogs of the edit control; the searching is FindReplace's.
#include "document/FindDialog.h"

#include "base/Prompter.h"
#include "document/CodeMax1.h"
#include "document/FindReplace.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace FindDialog {

void Exec(CodeMax1* editor, FindReplace& find, bool replace, const std::function<void()>& findNext,
          const std::function<void()>& replaceOne, const std::function<int()>& replaceAll)
{
    QDialog dialog(editor);
    dialog.setObjectName(replace ? QStringLiteral("dlgReplace") : QStringLiteral("dlgFind"));
    dialog.setWindowTitle(replace ? CodeMax1::tr("Replace") : CodeMax1::tr("Find"));

    auto* findEdit = new QLineEdit(&dialog);
    findEdit->setObjectName(QStringLiteral("txtFind"));
    auto* replaceEdit = new QLineEdit(&dialog);
    replaceEdit->setObjectName(QStringLiteral("txtReplace"));
    auto* matchCase = new QCheckBox(CodeMax1::tr("Match case"), &dialog);
    matchCase->setObjectName(QStringLiteral("chkMatchCase"));
    auto* wholeWord = new QCheckBox(CodeMax1::tr("Whole word"), &dialog);
    wholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    auto* regExp = new QCheckBox(CodeMax1::tr("Regular expression"), &dialog);
    regExp->setObjectName(QStringLiteral("chkRegExp"));
    regExp->setToolTip(CodeMax1::tr("Find a pattern (Perl style); the replacement may hold \\1 to \\9 for its groups, "
                                    "\\0 for the whole match, \\n for a line break and \\t for a tab"));

    // Start from a one-line selection, as users expect, else from the last search.
    const QString selected = editor->SelText();
    const bool useSelection = !selected.isEmpty() && !selected.contains(QLatin1Char('\n'))
        && !selected.contains(QLatin1Char('\r'));
    findEdit->setText(useSelection ? selected : find.findText);
    replaceEdit->setText(find.replaceText);
    matchCase->setChecked(find.matchCase);
    wholeWord->setChecked(find.wholeWord);
    regExp->setChecked(find.regExp);

    auto* grid = new QGridLayout;
    auto* findLabel = new QLabel(CodeMax1::tr("Find what:"), &dialog);
    findLabel->setBuddy(findEdit);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(findEdit, 0, 1);
    if (replace) {
        auto* replaceLabel = new QLabel(CodeMax1::tr("Replace with:"), &dialog);
        replaceLabel->setBuddy(replaceEdit);
        grid->addWidget(replaceLabel, 1, 0);
        grid->addWidget(replaceEdit, 1, 1);
    } else {
        replaceEdit->hide();
    }
    grid->addWidget(matchCase, 2, 0, 1, 2);
    grid->addWidget(wholeWord, 3, 0, 1, 2);
    grid->addWidget(regExp, 4, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const QString& name, const QString& text) {
        auto* button = new QPushButton(text, &dialog);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    QPushButton* findNextButton = addButton(QStringLiteral("cmdFindNext"), CodeMax1::tr("Find Next"));
    findNextButton->setDefault(true);
    QPushButton* replaceButton = replace ? addButton(QStringLiteral("cmdReplace"), CodeMax1::tr("Replace")) : nullptr;
    QPushButton* replaceAllButton =
        replace ? addButton(QStringLiteral("cmdReplaceAll"), CodeMax1::tr("Replace All")) : nullptr;
    QPushButton* closeButton = addButton(QStringLiteral("cmdClose"), CodeMax1::tr("Close"));
    buttons->addStretch();

    auto* layout = new QHBoxLayout(&dialog);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    auto takeInput = [&] {
        find.findText = findEdit->text();
        find.replaceText = replaceEdit->text();
        find.matchCase = matchCase->isChecked();
        find.wholeWord = wholeWord->isChecked();
        find.regExp = regExp->isChecked();
    };
    QObject::connect(findNextButton, &QPushButton::clicked, &dialog, [&] {
        takeInput();
        findNext();
    });
    if (replace) {
        QObject::connect(replaceButton, &QPushButton::clicked, &dialog, [&] {
            takeInput();
            replaceOne();
        });
        QObject::connect(replaceAllButton, &QPushButton::clicked, &dialog, [&] {
            takeInput();
            const int count = replaceAll();
            if (count >= 0)
                Prompter::Current().MsgBox(&dialog, CodeMax1::tr("%1 occurrence(s) replaced.").arg(count),
                                           MsgButtons::OKOnly, MsgIcon::Information, QStringLiteral("QRN"));
        });
    }
    QObject::connect(closeButton, &QPushButton::clicked, &dialog, &QDialog::reject);

    Prompter::Current().ExecDialog(&dialog);
    if (!findEdit->text().isEmpty())
        takeInput();
}

} // namespace FindDialog
