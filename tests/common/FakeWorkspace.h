#pragma once
// A workspace without the main window, so document windows can be tested alone.
#include <QAction>
#include <QDockWidget>
#include <QHash>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>
#include <memory>

#include "document/Workspace.h"
#include "document/frmDocument.h"

class FakeWorkspace : public Workspace {
public:
    FakeWorkspace() { SetCurrent(this); }

    // Documents are shown in the area; the last one made is the active one.
    frmDocument* AddDocument()
    {
        auto* doc = new frmDocument(this);
        m_docs << doc;
        m_mdi.addSubWindow(doc)->show();
        return doc;
    }

    QList<frmDocument*> Documents() const override { return m_docs; }
    frmDocument* ActiveDocument() const override { return m_docs.isEmpty() ? nullptr : m_docs.last(); }
    QAction* Action(const QString& name) const override { return made(m_actions, name); }
    QMenu* Menu(const QString& name) const override { return made(m_menus, name); }
    QAction* ToolbarButton(const QString& key) const override { return made(m_actions, "button " + key); }
    QAction* ToolbarButtonAt(int position) const override { return made(m_actions, "button " + QString::number(position)); }
    QToolButton* PowerbarButton(int index) const override { return made(m_power, QString::number(index)); }
    int ActiveMenuButton() const override { return 0; }
    QMdiArea* MdiArea() const override { return const_cast<QMdiArea*>(&m_mdi); }
    QDockWidget* Picture1() const override { return const_cast<QDockWidget*>(&m_dock); }
    QTabBar* TabStrip1() const override { return const_cast<QTabBar*>(&m_tabs); }
    QListWidget* List1() const override { return const_cast<QListWidget*>(&m_list); }
    void DropFiles(const QStringList& paths) override { dropped << paths; }
    bool mnuFileSave_Click() override { return ++saves, true; }

    QStringList dropped;
    int saves = 0;

private:
    template <typename T>
    static T* made(QHash<QString, std::shared_ptr<T>>& all, const QString& name)
    {
        auto& one = all[name];
        if (!one)
            one = std::make_shared<T>();
        return one.get();
    }
    QList<frmDocument*> m_docs;
    QMdiArea m_mdi;
    QDockWidget m_dock;
    QTabBar m_tabs;
    QListWidget m_list;
    mutable QHash<QString, std::shared_ptr<QAction>> m_actions;
    mutable QHash<QString, std::shared_ptr<QMenu>> m_menus;
    mutable QHash<QString, std::shared_ptr<QToolButton>> m_power;
};
