// The File Properties box.
#include "document/FileProperties.h"

#include "base/Prompter.h"
#include "document/CodeMax1.h"
#include "document/FileText.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>

namespace {
QString permissionText(QFile::Permissions p)
{
    const std::pair<QFile::Permission, char> bits[9] = {
        {QFile::ReadOwner, 'r'}, {QFile::WriteOwner, 'w'}, {QFile::ExeOwner, 'x'},
        {QFile::ReadGroup, 'r'}, {QFile::WriteGroup, 'w'}, {QFile::ExeGroup, 'x'},
        {QFile::ReadOther, 'r'}, {QFile::WriteOther, 'w'}, {QFile::ExeOther, 'x'}};
    QString s;
    for (const auto& [bit, c] : bits)
        s += (p & bit) ? QLatin1Char(c) : QLatin1Char('-');
    return s;
}

QString lineBreakName(const QString& lb)
{
    if (lb == QLatin1String("\r\n"))
        return QObject::tr("CR LF (Windows)");
    if (lb == QLatin1String("\r"))
        return QObject::tr("CR (classic Mac)");
    return QObject::tr("LF (Unix)");
}
} // namespace

FilePropertiesDialog::FilePropertiesDialog(const QString& path, const CodeMax1* editor, QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("dlgProperties"));
    const QFileInfo info(path);
    setWindowTitle(tr("%1 Properties").arg(info.fileName()));
    const QLocale locale;
    m_rows << qMakePair(tr("Name:"), info.fileName()) << qMakePair(tr("Folder:"), info.absolutePath());
    if (info.isSymLink())
        m_rows << qMakePair(tr("Link to:"), info.symLinkTarget());
    m_rows << qMakePair(tr("Size:"), tr("%1 (%2 bytes)").arg(locale.formattedDataSize(info.size()),
                                                               locale.toString(info.size())))
           << qMakePair(tr("Modified:"), locale.toString(info.lastModified(), QLocale::LongFormat))
           << qMakePair(tr("Permissions:"), permissionText(info.permissions()))
           << qMakePair(tr("Owner:"), info.owner() + QLatin1Char(':') + info.group());
    if (editor) {
        m_rows << qMakePair(tr("Encoding:"), FileText::EncodingName(editor->Format().encoding))
               << qMakePair(tr("Line endings:"), lineBreakName(editor->Format().lineBreak));
    }
    auto* form = new QFormLayout(this);
    for (const auto& [label, value] : m_rows) {
        auto* v = new QLabel(value, this);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(label, v);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

int fctnShowProperties(const QString& path, QWidget* owner, const CodeMax1* editor)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir())
        return 2;
    FilePropertiesDialog dialog(path, editor, owner);
    Prompter::Current().ExecDialog(&dialog);
    return 42;
}
