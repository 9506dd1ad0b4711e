// Message boxes, input boxes and dialogs, asked through one place so tests can answer them.
#include "base/Prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QIcon>
#include <QPixmap>
#include <QVBoxLayout>
#include <QPushButton>
#include <QHBoxLayout>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <memory>

namespace {
std::unique_ptr<Prompter>& slot()
{
    static std::unique_ptr<Prompter> current;
    return current;
}

QWidget* ownerOr(QWidget* owner)
{
    return owner ? owner : QApplication::activeWindow();
}
} // namespace

Prompter& Prompter::Current()
{
    auto& p = slot();
    if (!p)
        p = std::make_unique<QtPrompter>();
    return *p;
}

void Prompter::Install(Prompter* prompter)
{
    slot().reset(prompter);
}

int QtPrompter::MsgBox(QWidget* owner, const QString& text, int buttons, int icon, const QString& title)
{
    QMessageBox box(ownerOr(owner));
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    const bool secondDefault = (buttons & MsgButtons::DefaultButton2) != 0;
    const bool thirdDefault = (buttons & MsgButtons::DefaultButton3) != 0;
    buttons &= ~(MsgButtons::DefaultButton2 | MsgButtons::DefaultButton3);
    switch (buttons) {
    case MsgButtons::OKCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    if (secondDefault && buttons != MsgButtons::OKOnly)
        box.setDefaultButton(buttons == MsgButtons::OKCancel ? QMessageBox::Cancel : QMessageBox::No);
    if (thirdDefault && buttons == MsgButtons::YesNoCancel)
        box.setDefaultButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel : MsgAnswer::OK;
    }
}

std::optional<QString> QtPrompter::InputBox(QWidget* owner, const QString& prompt, const QString& title,
                                            const QString& defaultText)
{
    bool ok = false;
    QString answer = QInputDialog::getText(ownerOr(owner), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

FileDialogResult QtPrompter::FileDialog(QWidget* owner, const FileDialogRequest& request)
{
    QFileDialog dialog(ownerOr(owner), request.title, request.directory);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (request.save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else if (request.multiSelect)
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (!request.nameFilters.isEmpty()) {
        dialog.setNameFilters(request.nameFilters);
        if (request.filterIndex >= 0 && request.filterIndex < request.nameFilters.size())
            dialog.selectNameFilter(request.nameFilters.at(request.filterIndex));
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    result.accepted = true;
    result.files = dialog.selectedFiles();
    result.filterIndex = std::max<int>(0, int(request.nameFilters.indexOf(dialog.selectedNameFilter())));
    return result;
}

std::optional<QColor> QtPrompter::ChooseColor(QWidget* owner, const QColor& initial,
                                              const QList<QColor>& customColors)
{
    for (int i = 0; i < customColors.size() && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, customColors.at(i));
    QColor c = QColorDialog::getColor(initial, ownerOr(owner));
    if (!c.isValid())
        return std::nullopt;
    return c;
}

namespace {
// Qt's font dialog with a colour button beside it: the font chooser of the
// platform this program comes from offered a text colour too.
class FontColourDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(FontColourDialog)
public:
    FontColourDialog(const QFont& initial, const QColor& colour, QWidget* owner) : QDialog(owner), m_colour(colour)
    {
        setObjectName(QStringLiteral("dlgFont"));
        setWindowTitle(tr("Select Font"));
        auto* layout = new QVBoxLayout(this);
        m_font = new QFontDialog(initial, this);
        m_font->setOptions(QFontDialog::NoButtons);
        m_font->setWindowFlags(Qt::Widget);
        layout->addWidget(m_font);
        auto* row = new QHBoxLayout;
        auto* button = new QPushButton(tr("Co&lour..."), this);
        button->setObjectName(QStringLiteral("cmdColour"));
        connect(button, &QPushButton::clicked, this, [this, button] {
            if (const auto c = Prompter::Current().ChooseColor(this, m_colour, {}))
                m_colour = *c;
            showColour(button);
        });
        showColour(button);
        row->addWidget(button);
        row->addStretch(1);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        row->addWidget(buttons);
        layout->addLayout(row);
    }
    QFont Font() const { return m_font->currentFont(); }
    QColor Colour() const { return m_colour; }

private:
    void showColour(QPushButton* button)
    {
        QPixmap swatch(16, 16);
        swatch.fill(m_colour);
        button->setIcon(QIcon(swatch));
        button->setToolTip(m_colour.name().toUpper());
    }
    QFontDialog* m_font;
    QColor m_colour;
};
} // namespace

std::optional<QFont> QtPrompter::ChooseFont(QWidget* owner, const QFont& initial, QColor* colour)
{
    if (colour) {
        FontColourDialog dialog(initial, *colour, ownerOr(owner));
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        *colour = dialog.Colour();
        return dialog.Font();
    }
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, initial, ownerOr(owner));
    if (!ok)
        return std::nullopt;
    return f;
}

int QtPrompter::ExecDialog(QDialog* dialog)
{
    return dialog->exec();
}

int MsgBox(const QString& text, int buttons, int icon, const QString& title, QWidget* owner)
{
    return Prompter::Current().MsgBox(owner, text, buttons, icon, title);
}

std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& defaultText,
                                QWidget* owner)
{
    return Prompter::Current().InputBox(owner, prompt, title, defaultText);
}
