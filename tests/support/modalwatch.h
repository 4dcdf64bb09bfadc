#pragma once

// Answers what a command shows modally (a message box, a file dialog, a
// popup menu) from a timer, which keeps running in the command's nested loop.

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

class ModalWatch final
{
public:
    enum class Kind { Modal, Popup };

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

    /// Calls `act` once with the first modal widget of class `Shown` (a
    /// QMessageBox, a QFileDialog) shown within `timeoutMs`.
    template <typename Shown>
    static ModalWatch answering(std::function<void(Shown*)> act, int timeoutMs = 5000)
    {
        return ModalWatch(
            Kind::Modal, [act = std::move(act)](QWidget* shown) { act(static_cast<Shown*>(shown)); },
            Shown::staticMetaObject.className(), timeoutMs);
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

private:
    void check()
    {
        QWidget* shown = m_kind == Kind::Modal ? QApplication::activeModalWidget() : QApplication::activePopupWidget();
        if (shown && shown->isVisible() && (!m_className || shown->inherits(m_className))) {
            m_timer.stop();
            m_seen = true;
            m_act(shown);
        } else if (m_elapsed.elapsed() > m_timeoutMs) {
            m_timer.stop();
        }
    }

    Kind m_kind;
    std::function<void(QWidget*)> m_act;
    const char* m_className = nullptr;
    int m_timeoutMs = 0;
    bool m_seen = false;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
};
