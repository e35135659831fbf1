// The plug-in's diagnostic lines in a pane that folds away to its header.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QToolButton;

namespace lvcview {

class LogPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 5000;

    explicit LogPane(QWidget* parent = nullptr);

    bool expanded() const;
    QString text() const;

public slots:
    void setExpanded(bool expanded);
    // Appends one line as the plug-in wrote it (its line feed removed).
    void appendLine(const QString& line);

private:
    QToolButton* header_;
    QPlainTextEdit* lines_;
};

}  // namespace lvcview
