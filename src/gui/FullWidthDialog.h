#pragma once
// The full-width alphanumerics check ("全角英数字の有無"): the report of the check, made when the
// dialog opens and again on 検査, in a read-only box. The data is never changed.

#include <QDialog>

class QPlainTextEdit;

namespace stracol::borehole { struct BoreholeRecord; }

namespace stracol::gui {

class FullWidthDialog : public QDialog {
public:
    explicit FullWidthDialog(const borehole::BoreholeRecord& record, QWidget* parent = nullptr);
    // 検査: runs the check again.
    void Check();
    QString Report() const;

private:
    const borehole::BoreholeRecord& m_record;
    QPlainTextEdit* m_result = nullptr;
};

}  // namespace stracol::gui
