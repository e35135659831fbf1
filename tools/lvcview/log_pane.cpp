#include "log_pane.h"

#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace lvcview {

LogPane::LogPane(QWidget* parent)
    : QWidget(parent), header_(new QToolButton), lines_(new QPlainTextEdit) {
    header_->setText(tr("Plug-in log"));
    header_->setCheckable(true);
    header_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header_->setAutoRaise(true);
    lines_->setReadOnly(true);
    lines_->setMaximumBlockCount(kMaxLines);
    lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines_->setFont(QFont("monospace"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(header_);
    layout->addWidget(lines_);
    connect(header_, &QToolButton::toggled, this, &LogPane::setExpanded);
    setExpanded(false);
}

bool LogPane::expanded() const { return header_->isChecked(); }

QString LogPane::text() const { return lines_->toPlainText(); }

void LogPane::setExpanded(bool expanded) {
    header_->setChecked(expanded);
    header_->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    lines_->setVisible(expanded);
}

void LogPane::appendLine(const QString& line) {
    QString text = line;
    while (text.endsWith('\n') || text.endsWith('\r')) text.chop(1);
    lines_->appendPlainText(text);
}

}  // namespace lvcview
