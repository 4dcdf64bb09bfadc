#pragma once

// Answers what a command shows modally (a message box, a file dialog, a
// popup menu) from a timer, which keeps running in the command's nested loop.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class ModalWatch final
{
public:
    enum class Kind { Modal, Popup, EveryBox };

    /// A message box as it was shown.
    struct Shown
    {
        QString title;
        QString text;
        int buttons = 0;
    };

    /// Calls `act` once with the first modal widget (or popup) that is shown
    /// within `timeoutMs` and, when `className` is given, inherits that class;
    /// watching stops with this object.
    ModalWatch(Kind kind, std::function<void(QWidget*)> act, const char* className = nullptr, int timeoutMs = 5000)
        : m_kind(kind), m_act(std::move(act)), m_className(className), m_timeoutMs(timeoutMs)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { check(); });
        m_elapsed.start();
        m_timer.start();
    }

    /// Presses `button` in every message box shown while this object lives
    /// (where the box has it), and records each box.
    explicit ModalWatch(QMessageBox::StandardButton button) : ModalWatch(Kind::EveryBox, {}) { m_button = button; }

    /// Calls `act` once with the first modal widget of class `Shown` (a
    /// QMessageBox, a QFileDialog) shown within `timeoutMs`.
    template <typename Dialog>
    static ModalWatch answering(std::function<void(Dialog*)> act, int timeoutMs = 5000)
    {
        return ModalWatch(
            Kind::Modal, [act = std::move(act)](QWidget* shown) { act(static_cast<Dialog*>(shown)); },
            Dialog::staticMetaObject.className(), timeoutMs);
    }

    /// Chooses the item captioned `item` from the first popup menu shown
    /// (Return with none active closes a menu without such an item).
    static ModalWatch choosing(const QString& item)
    {
        return ModalWatch(Kind::Popup, [item](QWidget* popup) {
            auto* menu = static_cast<QMenu*>(popup);
            for (QAction* action : menu->actions()) {
                if (action->text() == item)
                    menu->setActiveAction(action);
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
    }

    /// Whether the widget was seen.
    bool seen() const { return m_seen; }
    /// The message boxes answered, in order (Kind::EveryBox).
    const std::vector<Shown>& shown() const { return m_boxes; }

private:
    void check()
    {
        if (m_kind == Kind::EveryBox) {
            answerBox();
            return;
        }
        QWidget* shown = m_kind == Kind::Modal ? QApplication::activeModalWidget() : QApplication::activePopupWidget();
        if (shown && shown->isVisible() && (!m_className || shown->inherits(m_className))) {
            m_timer.stop();
            m_seen = true;
            m_act(shown);
        } else if (m_elapsed.elapsed() > m_timeoutMs) {
            m_timer.stop();
        }
    }

    void answerBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == m_lastBox)
            return;
        m_lastBox = box;
        m_seen = true;
        m_boxes.push_back({box->windowTitle(), box->text(), static_cast<int>(box->buttons().size())});
        if (QAbstractButton* button = box->button(m_button))
            button->click();
    }

    Kind m_kind;
    std::function<void(QWidget*)> m_act;
    const char* m_className = nullptr;
    int m_timeoutMs = 0;
    bool m_seen = false;
    QMessageBox::StandardButton m_button = QMessageBox::Ok;
    QPointer<QMessageBox> m_lastBox;
    std::vector<Shown> m_boxes;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
};
