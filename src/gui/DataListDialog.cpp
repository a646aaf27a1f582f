#include "gui/DataListDialog.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "borehole/DataList.h"
#include "core/Messages.h"
#include "gui/DialogText.h"

namespace stracol::gui {

DataListDialog::DataListDialog(const borehole::BoreholeRecord& record, bool landslideLog, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("データ一覧"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("データファイルの内容 （土質岩種、N値、観察記事、原位置、試料など）"), this));
    layout->addWidget(new QLabel(Qs(core::MessageText(core::MessageId::AttributeDataIncluded)), this));

    const std::vector<borehole::DataListLine> lines = borehole::DataListLines(record, landslideLog);
    m_table = new QTableWidget(static_cast<int>(lines.size()), borehole::kDataListColumns, this);
    m_table->setObjectName(QStringLiteral("list"));
    m_table->setShowGrid(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setDefaultSectionSize(20);
    QStringList headers;
    for (int c = 1; c <= borehole::kDataListColumns; ++c) headers << QString::number(c);
    m_table->setHorizontalHeaderLabels(headers);
    for (int c = 0; c < borehole::kDataListColumns; ++c) m_table->setColumnWidth(c, c < 4 ? 80 : 70);
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const auto& line = lines[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(line.size()) && c < borehole::kDataListColumns; ++c)
            m_table->setItem(r, c, new QTableWidgetItem(Qs(line[static_cast<std::size_t>(c)])));
    }
    m_table->setMinimumSize(900, 480);
    layout->addWidget(m_table);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("行"), this));
    m_count = new QLabel(Qs(borehole::DataListCountText(lines.size())), this);
    m_count->setObjectName(QStringLiteral("count"));
    bottom->addWidget(m_count);
    bottom->addStretch(1);
    bottom->addWidget(OkCancelButtons(this, false));
    layout->addLayout(bottom);
}

}  // namespace stracol::gui
