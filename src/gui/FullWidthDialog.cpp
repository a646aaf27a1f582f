#include "gui/FullWidthDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "borehole/FullWidthCheck.h"
#include "gui/DialogText.h"

namespace stracol::gui {

FullWidthDialog::FullWidthDialog(const borehole::BoreholeRecord& record, QWidget* parent)
    : QDialog(parent), m_record(record) {
    setWindowTitle(QStringLiteral("全角英数字の有無"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("見出し、地質、色調、記事、原位置試験、試料、性状、空欄、計測機器"), this));
    layout->addWidget(new QLabel(QStringLiteral("削孔状況、孔径、孔壁保護理由削孔水ﾋﾞｯﾄ、地質時代、地層岩体"), this));
    layout->addWidget(new QLabel(QStringLiteral("についてチェック"), this));
    m_result = new QPlainTextEdit(this);
    m_result->setObjectName(QStringLiteral("result"));
    m_result->setReadOnly(true);
    m_result->setMinimumSize(560, 360);
    layout->addWidget(m_result);
    auto* buttons = new QHBoxLayout;
    auto* check = new QPushButton(QStringLiteral("検査"), this);
    check->setObjectName(QStringLiteral("check"));
    buttons->addWidget(check);
    buttons->addStretch(1);
    buttons->addWidget(OkCancelButtons(this, false));
    layout->addLayout(buttons);
    connect(check, &QPushButton::clicked, this, [this] { Check(); });
    Check();
}

void FullWidthDialog::Check() {
    // The report's lines end with CR LF; the box shows them as lines.
    QString text = Qs(borehole::FullWidthReport(m_record));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_result->setPlainText(text);
}

QString FullWidthDialog::Report() const { return m_result->toPlainText(); }

}  // namespace stracol::gui
