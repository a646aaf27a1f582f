#include "gui/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace stracol::gui {

namespace {
const QString kGroup = QStringLiteral("Recent File List");
QString Key(int n) { return QStringLiteral("File%1").arg(n); }
QString Normalised(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }
}  // namespace

RecentFiles::RecentFiles(QSettings* store, int maxEntries) : m_store(store), m_max(maxEntries < 1 ? 1 : maxEntries) {
    if (!m_store) return;
    m_store->beginGroup(kGroup);
    for (int n = 1; n <= m_max; ++n) {
        const QString stored = m_store->value(Key(n)).toString();
        if (stored.isEmpty()) continue;
        const QString path = Normalised(stored);
        if (!m_files.contains(path)) m_files.append(path);
    }
    m_store->endGroup();
}

void RecentFiles::Add(const QString& path) {
    const QString full = Normalised(path);
    m_files.removeAll(full);
    m_files.prepend(full);
    while (m_files.size() > m_max) m_files.removeLast();
    Save();
}

void RecentFiles::Remove(const QString& path) {
    if (m_files.removeAll(path) == 0 && m_files.removeAll(Normalised(path)) == 0) return;
    Save();
}

void RecentFiles::Save() {
    if (!m_store) return;
    m_store->beginGroup(kGroup);
    for (int n = 1; n <= m_max; ++n) {
        if (n <= m_files.size())
            m_store->setValue(Key(n), m_files[n - 1]);
        else
            m_store->remove(Key(n));
    }
    m_store->endGroup();
    m_store->sync();
}

}  // namespace stracol::gui
