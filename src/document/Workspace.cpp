// The one workspace of the process, for code that is not handed it.
#include "document/Workspace.h"

#include <QPointer>

#include "document/frmDocument.h"

namespace {
QPointer<Workspace> g_current;
}

Workspace* Workspace::Current()
{
    return g_current.data();
}

void Workspace::SetCurrent(Workspace* workspace)
{
    g_current = workspace;
}

CodeMax1* Workspace::CurrentEditor()
{
    return g_current ? g_current->ActiveEditor() : nullptr;
}

CodeMax1* Workspace::ActiveEditor() const
{
    frmDocument* doc = ActiveDocument();
    return doc ? doc->Editor() : nullptr;
}

CodeMax1* Workspace::EditTarget() const
{
    frmDocument* doc = ActiveDocument();
    return doc && doc->IsEditMode() && !doc->IsBusy() ? doc->Editor() : nullptr;
}
