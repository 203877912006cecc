#pragma once
// The find bar at the bottom of the window: the term, how many pages hold it, Enter
// for the next of them and Shift+Enter for the one before. Esc closes it.
#include <QWidget>

class QLabel;
class QLineEdit;

class FindBar : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(QWidget* parent);

    // Shows the bar with its term selected, ready to be typed over.
    void open();
    void dismiss();
    QString term() const;
    // Says how many pages hold the term.
    void showCount(int pages);

signals:
    void termEdited(const QString& term);
    void nextWanted();
    void previousWanted();
    void opened();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field_;
    QLabel* count_;
};
