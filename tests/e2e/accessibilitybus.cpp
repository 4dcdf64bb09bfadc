#include "accessibilitybus.h"

#include "programrun.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QThread>

namespace {

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");

QVariant callOn(const QDBusConnection& bus, const QString& service, const QString& path, const QString& interface,
                const QString& method, const QVariantList& arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() ? reply.arguments().first()
                                                                                       : QVariant();
}

struct ObjectRef
{
    QString service;
    QString path;
};

QList<ObjectRef> childrenOf(const QDBusConnection& bus, const ObjectRef& object)
{
    QList<ObjectRef> children;
    const QVariant reply = callOn(bus, object.service, object.path, kAccessible, QStringLiteral("GetChildren"));
    const QDBusArgument argument = reply.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        ObjectRef child;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> child.service >> path;
        argument.endStructure();
        child.path = path.path();
        children.append(child);
    }
    argument.endArray();
    return children;
}

void describe(const QDBusConnection& bus, const ObjectRef& object, int depth, QStringList& lines)
{
    const QString role = callOn(bus, object.service, object.path, kAccessible, QStringLiteral("GetRoleName")).toString();
    const QString name = callOn(bus, object.service, object.path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                QStringLiteral("Get"), {kAccessible, QStringLiteral("Name")})
                             .value<QDBusVariant>()
                             .variant()
                             .toString();
    const QString text = callOn(bus, object.service, object.path, QStringLiteral("org.a11y.atspi.Text"),
                                QStringLiteral("GetText"), {0, -1})
                             .toString();
    lines.append(role + QLatin1Char('|') + name + QLatin1Char('|') + text);
    if (depth < 10) {
        for (const ObjectRef& child : childrenOf(bus, object))
            describe(bus, child, depth + 1, lines);
    }
}

} // namespace

AccessibilityBus::AccessibilityBus()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    m_sessionBus.setProcessEnvironment(environment);
    startProcessGroup(m_sessionBus, QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    if (!m_sessionBus.waitForReadyRead(5000)) {
        m_failure = QStringLiteral("dbus-daemon did not start (tools/install-deps.sh test)");
        return;
    }
    m_sessionAddress = QString::fromUtf8(m_sessionBus.readLine()).trimmed();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionAddress);
    m_launcher.setProcessEnvironment(environment);
    startProcessGroup(m_launcher, QStringLiteral("/usr/libexec/at-spi-bus-launcher"), {QStringLiteral("--launch-immediately")});

    // The launcher names the accessibility bus on the session bus once it is up.
    const QDBusConnection session = QDBusConnection::connectToBus(m_sessionAddress, QStringLiteral("a11y-session"));
    QDeadlineTimer deadline(10000);
    while (m_address.isEmpty() && !deadline.hasExpired()) {
        m_address = callOn(session, QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                           QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"))
                        .toString();
        if (m_address.isEmpty())
            QThread::msleep(100);
    }
    if (m_address.isEmpty())
        m_failure = QStringLiteral("the AT-SPI bus launcher did not start (at-spi2-core)");
}

AccessibilityBus::~AccessibilityBus()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y-session"));
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y"));
    stopProcessGroup(m_launcher);
    stopProcessGroup(m_sessionBus);
}

QProcessEnvironment AccessibilityBus::environment() const
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionAddress);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    // What a desktop's accessibility switch turns on for Qt programs.
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    return environment;
}

QStringList AccessibilityBus::tree() const
{
    const QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("a11y"));
    QStringList lines;
    const ObjectRef root{QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/accessible/root")};
    for (const ObjectRef& application : childrenOf(bus, root))
        describe(bus, application, 0, lines);
    return lines;
}
