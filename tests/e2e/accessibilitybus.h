#pragma once

// A private accessibility bus, as a desktop starts it for a screen reader: a
// session bus of its own and the AT-SPI bus launcher on it. A program started
// with environment() publishes its windows there, and tree() reads them the
// way a screen reader does, over D-Bus. It listens for focus events as a
// screen reader does, which is how it learns of popup menus.

#include "processgroup.h"
#include "temporaryfolder.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QStringList>

#include <memory>

class FocusListener;

class AccessibilityBus final
{
public:
    AccessibilityBus();
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    /// Whether both buses are up; failure() says why not.
    bool isRunning() const { return !m_address.isEmpty(); }
    QString failure() const { return m_failure; }

    /// What a program needs in its environment to speak to a screen reader here.
    QProcessEnvironment environment() const;

    /// Every object the applications on the bus publish, depth first, one line
    /// each: "role|name|text" (text only for objects with a text of their own).
    QStringList tree() const;

    /// A table as a screen reader reads it through its Table interface.
    struct Table
    {
        QStringList interfaces;
        int rows = -1;
        int columns = -1;
        QStringList headers;
        QList<QStringList> cells;  // by row, from the table's cell at each row and column
    };
    /// The table named `name`; rows stay -1 when there is none.
    Table table(const QString& name) const;

    /// The names of the objects of `role` that took the focus since the last call, in
    /// order, waiting up to `timeoutMs` for the first.
    QStringList focused(const QString& role, int timeoutMs);

private:
    // Focus events reach this process through an event loop, which needs an application object.
    std::unique_ptr<QCoreApplication> m_application;
    std::unique_ptr<FocusListener> m_focusListener;
    testsupport::TemporaryFolder m_runtime;
    std::unique_ptr<testsupport::ProcessGroup> m_sessionBus;
    std::unique_ptr<testsupport::ProcessGroup> m_launcher;
    QString m_sessionAddress;
    QString m_address;
    QString m_failure;
};
