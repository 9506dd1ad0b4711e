#pragma once
// The four most recently opened or saved files, most recent first.
#include <QString>
#include <array>

class RecentFiles {
public:
    static constexpr int Count = 4;

    // Slot i from 1 to 4; an empty path is a free slot.
    QString Path(int i) const { return m_paths.at(i - 1); }
    void SetPath(int i, const QString& path) { m_paths.at(i - 1) = path; }
    bool Visible(int i) const { return !Path(i).isEmpty(); }
    // "&2 index.html"
    QString Caption(int i) const;
    static QString FileName(const QString& path);

    // Puts path in slot 1; an entry already present moves up, the others keep their order.
    void Add(const QString& path);
    // Removes slot k, moving the later slots up; writes each changed slot to the store.
    void Remove(int k);
    // Writes slot i (or all four) to "MRU".
    void Persist(int i) const;
    void PersistAll() const;

private:
    std::array<QString, Count> m_paths;
};
