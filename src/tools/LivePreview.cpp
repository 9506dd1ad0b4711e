// Live preview: one session object per document, the document's child, owning the
// browser beside the text and the copy it shows.
#include "tools/LivePreview.h"

#include "base/BrowserView.h"
#include "base/Prompter.h"
#include "document/CodeMax1.h"
#include "document/CopyRegistry.h"
#include "document/Workspace.h"
#include "document/frmDocument.h"
#include "tools/Preview.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace LivePreview {
namespace {
int g_delay = 300;

QString tr(const char* text)
{
    return QCoreApplication::translate("LivePreview", text);
}

class Session : public QObject {
public:
    Session(Workspace* main, frmDocument* doc, BrowserView* view) : QObject(doc), m_main(main), m_doc(doc), m_view(view)
    {
        setObjectName(QStringLiteral("LivePreview"));
        m_timer.setSingleShot(true);
        m_timer.setInterval(g_delay);
        // Typing only restarts the wait; the page is written and loaded once it ends.
        connect(doc->Editor(), &CodeMax1::Change, &m_timer, qOverload<>(&QTimer::start));
        connect(&m_timer, &QTimer::timeout, this, &Session::refresh);
    }
    ~Session() override { CopyRegistry::Release(this); }

    // Writes the copy and shows it; false when it could not be written.
    bool refresh()
    {
        const Preview::Target t =
            Preview::TargetFor(m_doc->HasFile() ? m_doc->PathPanel() : QString(), true);
        if (t.Path() != m_target) {
            // Saved under another name: the old copy goes, unless another view shows it.
            CopyRegistry::Release(this);
            m_target.clear();
        }
        const QString copy = Preview::WriteCopy(m_main, m_doc, t, this);
        if (copy.isEmpty()) {
            // Told once; the split closes rather than show a page that no longer follows the text.
            QTimer::singleShot(0, m_doc, [main = m_main, doc = QPointer<frmDocument>(m_doc)] {
                if (doc)
                    SetOpen(main, doc, false);
            });
            return false;
        }
        const QUrl url = QUrl::fromLocalFile(copy);
        if (m_target.isEmpty() || m_view->Url() != url)
            m_view->Load(url);
        else
            m_view->Reload();   // the engine keeps the reader's place on a reload
        m_target = t.Path();
        return true;
    }

private:
    Workspace* m_main;
    frmDocument* m_doc;
    BrowserView* m_view;   // owned by the split
    QTimer m_timer;
    QString m_target;
};

Session* sessionOf(const frmDocument* doc)
{
    return doc ? doc->findChild<Session*>(QStringLiteral("LivePreview"), Qt::FindDirectChildrenOnly) : nullptr;
}

void showState(Workspace* main)
{
    frmDocument* doc = main->ActiveDocument();
    QAction* action = main->Action(QStringLiteral("mnuViewLivePreview"));
    const QSignalBlocker quiet(action);
    action->setEnabled(doc && doc->IsEditMode() && !doc->IsBusy());
    action->setChecked(IsOpen(doc));
}
} // namespace

bool IsOpen(const frmDocument* doc)
{
    return sessionOf(doc) != nullptr;
}

void SetDelay(int milliseconds)
{
    g_delay = milliseconds;
}

bool SetOpen(Workspace* main, frmDocument* doc, bool open)
{
    if (!doc)
        return false;
    if (open == IsOpen(doc))
        return true;
    if (open && !doc->IsEditMode()) {
        // Preview mode already shows the page in the whole window.
        doc->SetSideView(nullptr);
        return false;
    }
    if (!open) {
        Session* session = sessionOf(doc);
        doc->SetSideView(nullptr);
        delete session;   // and its copy
        showState(main);
        return true;
    }
    const CreateBrowserFn create = BrowserModule::Factory();
    if (!create) {
        MsgBox(tr("The live preview needs the embedded browser, which is not installed."), MsgButtons::OKOnly,
               MsgIcon::Exclamation, QStringLiteral("QRN"), main);
        doc->SetSideView(nullptr);
        return false;
    }
    BrowserView* view = create(doc, BrowserHooks{});
    view->Widget()->setObjectName(QStringLiteral("LiveBrowser"));
    doc->SetSideView(view->Widget());
    auto* session = new Session(main, doc, view);
    if (!session->refresh()) {
        delete session;
        doc->SetSideView(nullptr);
        showState(main);
        return false;
    }
    showState(main);
    return true;
}
} // namespace LivePreview

void InstallLivePreview(Workspace* main)
{
    using namespace LivePreview;
    QObject::connect(main->Action(QStringLiteral("mnuViewLivePreview")), &QAction::triggered, main,
                     [main](bool checked) { SetOpen(main, main->ActiveDocument(), checked); });
    QObject::connect(main, &Workspace::DocumentCreated, main, [main](frmDocument* doc) {
        QObject::connect(doc->LivePreviewButton(), &QToolButton::toggled, main,
                         [main, doc](bool checked) { SetOpen(main, doc, checked); });
        QObject::connect(doc, &frmDocument::commandsChanged, main, [main, doc] {
            doc->LivePreviewButton()->setEnabled(doc->IsEditMode());
            showState(main);
        });
    });
    QObject::connect(main->MdiArea(), &QMdiArea::subWindowActivated, main, [main] { showState(main); });
    showState(main);
}
