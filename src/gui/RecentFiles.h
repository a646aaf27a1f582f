#pragma once
// The list of recently opened files (最新のﾌｧｲﾙ): at most four paths, newest first, kept in
// the program's QSettings under "Recent File List" as File1 … File4.

#include <QString>
#include <QStringList>

class QSettings;

namespace stracol::gui {

class RecentFiles {
public:
    static constexpr int kMaxEntries = 4;

    // store may be null: the list then lives only as long as the program.
    explicit RecentFiles(QSettings* store, int maxEntries = kMaxEntries);

    const QStringList& Files() const { return m_files; }
    // Puts path first (absolute and without "." or "..", once) and drops the oldest beyond the limit.
    void Add(const QString& path);
    // Drops path (a recent file that could no longer be opened).
    void Remove(const QString& path);

private:
    void Save();

    QSettings* m_store;
    int m_max;
    QStringList m_files;
};

}  // namespace stracol::gui
