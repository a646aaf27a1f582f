#pragma once
// The data list ("データ一覧"): the loaded data other than the heading as one read-only table
// of 12 columns, for reference.

#include <QDialog>

class QLabel;
class QTableWidget;

namespace stracol::borehole { struct BoreholeRecord; }

namespace stracol::gui {

class DataListDialog : public QDialog {
public:
    // landslideLog: the data is a landslide log (its daily water levels are labelled so).
    DataListDialog(const borehole::BoreholeRecord& record, bool landslideLog, QWidget* parent = nullptr);
    QTableWidget* Table() const { return m_table; }
    QLabel* CountLabel() const { return m_count; }

private:
    QTableWidget* m_table = nullptr;
    QLabel* m_count = nullptr;
};

}  // namespace stracol::gui
