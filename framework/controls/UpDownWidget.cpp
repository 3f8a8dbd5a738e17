#include "framework/controls/UpDownWidget.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zelm::framework {

UpDownWidget::UpDownWidget(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int delta : {+1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(arrow, &QToolButton::clicked, this, [this, delta] { Step(delta); });
        layout->addWidget(arrow);
    }
}

void UpDownWidget::AttachBuddy(QLineEdit* buddy, bool alignRight, bool arrowKeys)
{
    m_buddy = buddy;
    if (!buddy) return;
    QRect area = buddy->geometry();
    const int width = geometry().width();
    if (alignRight) {
        setGeometry(area.right() + 1 - width, area.top(), width, area.height());
        buddy->resize(area.width() - width, area.height());
    }
    if (arrowKeys) buddy->installEventFilter(this);
    m_position = Position();
}

void UpDownWidget::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
}

int UpDownWidget::Position() const
{
    bool ok = false;
    int shown = m_buddy ? m_buddy->text().toInt(&ok) : m_position;
    return m_buddy && !ok ? std::min(m_lower, m_upper) : shown;
}

void UpDownWidget::SetPosition(int position)
{
    m_position = std::clamp(position, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    if (m_buddy) m_buddy->setText(QString::number(m_position));
}

void UpDownWidget::Step(int delta)
{
    // A range given upside down steps the other way, as the platform's control does.
    SetPosition(Position() + (m_upper >= m_lower ? delta : -delta));
}

bool UpDownWidget::eventFilter(QObject* watched, QEvent* event)
{
    // Only key presses are looked at: during the buddy's destruction it is no longer an edit.
    if (event->type() == QEvent::KeyPress && watched == m_buddy) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zelm::framework
