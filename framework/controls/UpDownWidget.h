#pragma once
// The up-down control: two arrow buttons that step the integer shown in its buddy edit.

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace zelm::framework {

class UpDownWidget : public QWidget {
public:
    explicit UpDownWidget(QWidget* parent);

    // Places the control at the buddy's right edge, inside it, and takes the arrow keys.
    void AttachBuddy(QLineEdit* buddy, bool alignRight, bool arrowKeys);
    void SetRange(int lower, int upper);
    // The buddy's integer, or the lower limit when it shows none.
    int Position() const;
    void SetPosition(int position);
    void Step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLineEdit> m_buddy;
    int m_lower = 0;
    int m_upper = 100;
    int m_position = 0;
};

}  // namespace zelm::framework
