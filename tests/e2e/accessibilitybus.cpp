#include "accessibilitybus.h"
#include "waiting.h"

#include "desktopsession.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include <optional>
#include <utility>

namespace {

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kRegistry = QStringLiteral("org.a11y.atspi.Registry");

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

QVariant propertyOf(const QDBusConnection& bus, const ObjectRef& object, const QString& interface, const char* name)
{
    return callOn(bus, object.service, object.path, QStringLiteral("org.freedesktop.DBus.Properties"),
                  QStringLiteral("Get"), {interface, QString::fromLatin1(name)})
        .value<QDBusVariant>()
        .variant();
}

QString nameOf(const QDBusConnection& bus, const ObjectRef& object)
{
    return propertyOf(bus, object, kAccessible, "Name").toString();
}

QString roleOf(const QDBusConnection& bus, const ObjectRef& object)
{
    return callOn(bus, object.service, object.path, kAccessible, QStringLiteral("GetRoleName")).toString();
}

/// The object a reference (so) names, read from a reply.
ObjectRef referenceIn(const QVariant& reply)
{
    ObjectRef object;
    QDBusObjectPath path;
    const QDBusArgument argument = reply.value<QDBusArgument>();
    argument.beginStructure();
    argument >> object.service >> path;
    argument.endStructure();
    object.path = path.path();
    return object;
}

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
    const QString role = roleOf(bus, object);
    const QString name = nameOf(bus, object);
    const QString text = callOn(bus, object.service, object.path, QStringLiteral("org.a11y.atspi.Text"),
                                QStringLiteral("GetText"), {0, -1})
                             .toString();
    lines.append(role + QLatin1Char('|') + name + QLatin1Char('|') + text);
    if (depth < 10) {
        for (const ObjectRef& child : childrenOf(bus, object))
            describe(bus, child, depth + 1, lines);
    }
}

std::optional<ObjectRef> find(const QDBusConnection& bus, const ObjectRef& object, const QString& role,
                               const QString& name, int depth = 0)
{
    if (roleOf(bus, object) == role && nameOf(bus, object) == name)
        return object;
    if (depth < 10) {
        for (const ObjectRef& child : childrenOf(bus, object)) {
            if (const auto found = find(bus, child, role, name, depth + 1))
                return found;
        }
    }
    return std::nullopt;
}

} // namespace

/// Hears of every object that takes the focus, as a screen reader does: it asks the registry
/// for focus events, so that the programs on the bus send them, and reads each one's name
/// as the event comes.
class FocusListener final : public QObject
{
    Q_OBJECT

public:
    explicit FocusListener(const QDBusConnection& bus) : m_bus(bus)
    {
        m_bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("StateChanged"),
                      this, SLOT(stateChanged(QDBusMessage)));
        callOn(m_bus, kRegistry, QStringLiteral("/org/a11y/atspi/registry"), kRegistry, QStringLiteral("RegisterEvent"),
               {QStringLiteral("object:state-changed:focused")});
    }

    /// "role|name" of each object that took the focus since the last call.
    QStringList take() { return std::exchange(m_focused, {}); }

private slots:
    void stateChanged(const QDBusMessage& message)
    {
        const QVariantList arguments = message.arguments();
        const ObjectRef object{message.service(), message.path()};
        if (arguments.size() >= 2 && arguments[0].toString() == QLatin1String("focused") && arguments[1].toInt() == 1)
            m_focused.append(roleOf(m_bus, object) + QLatin1Char('|') + nameOf(m_bus, object));
    }

private:
    QDBusConnection m_bus;
    QStringList m_focused;
};

AccessibilityBus::AccessibilityBus()
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "e2e_tests";
        static char* argv[] = {name, nullptr};
        m_application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(m_runtime.path()));
    m_sessionBus = std::make_unique<testsupport::ProcessGroup>(
        commandOf(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                  QStringLiteral("--print-address")}),
        testsupport::ProcessGroup::Options{.environment = environmentOf(environment),
                                           .output = testsupport::ProcessGroup::Output::Captured});
    const auto address = m_sessionBus->readLine(std::chrono::seconds(5));
    if (!address) {
        m_failure = QStringLiteral("dbus-daemon did not start (tools/install-deps.sh test)");
        return;
    }
    m_sessionAddress = QString::fromStdString(*address).trimmed();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionAddress);
    m_launcher = std::make_unique<testsupport::ProcessGroup>(
        commandOf(QStringLiteral("/usr/libexec/at-spi-bus-launcher"), {QStringLiteral("--launch-immediately")}),
        testsupport::ProcessGroup::Options{.environment = environmentOf(environment)});

    // The launcher names the accessibility bus on the session bus once it is up.
    const QDBusConnection session = QDBusConnection::connectToBus(m_sessionAddress, QStringLiteral("a11y-session"));
    testsupport::waitUntil(
        [&] {
            m_address = callOn(session, QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                               QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"))
                            .toString();
            return !m_address.isEmpty();
        },
        std::chrono::seconds(10), std::chrono::milliseconds(100));
    if (m_address.isEmpty()) {
        m_failure = QStringLiteral("the AT-SPI bus launcher did not start (at-spi2-core)");
        return;
    }
    m_focusListener = std::make_unique<FocusListener>(QDBusConnection::connectToBus(m_address, QStringLiteral("a11y")));
}

AccessibilityBus::~AccessibilityBus()
{
    m_focusListener.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y-session"));
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y"));
    m_launcher.reset();
    m_sessionBus.reset();
}

QProcessEnvironment AccessibilityBus::environment() const
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionAddress);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(m_runtime.path()));
    // What a desktop's accessibility switch turns on for Qt programs.
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    return environment;
}

QStringList AccessibilityBus::tree() const
{
    const QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("a11y"));
    QStringList lines;
    const ObjectRef root{kRegistry, QStringLiteral("/org/a11y/atspi/accessible/root")};
    for (const ObjectRef& application : childrenOf(bus, root))
        describe(bus, application, 0, lines);
    return lines;
}

AccessibilityBus::Table AccessibilityBus::table(const QString& name) const
{
    const QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("a11y"));
    Table table;
    const ObjectRef root{kRegistry, QStringLiteral("/org/a11y/atspi/accessible/root")};
    const std::optional<ObjectRef> found = find(bus, root, QStringLiteral("table"), name);
    if (!found)
        return table;
    const QString kTable = QStringLiteral("org.a11y.atspi.Table");
    const auto call = [&](const QString& method, const QVariantList& arguments = {}) {
        return callOn(bus, found->service, found->path, kTable, method, arguments);
    };
    table.interfaces = callOn(bus, found->service, found->path, kAccessible, QStringLiteral("GetInterfaces")).toStringList();
    table.rows = propertyOf(bus, *found, kTable, "NRows").toInt();
    table.columns = propertyOf(bus, *found, kTable, "NColumns").toInt();
    for (int column = 0; column < table.columns; ++column)
        table.headers.append(nameOf(bus, referenceIn(call(QStringLiteral("GetColumnHeader"), {column}))));
    for (int row = 0; row < table.rows; ++row) {
        QStringList cells;
        for (int column = 0; column < table.columns; ++column)
            cells.append(nameOf(bus, referenceIn(call(QStringLiteral("GetAccessibleAt"), {row, column}))));
        table.cells.append(cells);
    }
    return table;
}

QStringList AccessibilityBus::focused(const QString& role, int timeoutMs)
{
    QStringList names;
    if (!m_focusListener)
        return names;
    testsupport::waitUntil(
        [&] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            for (const QString& heard : m_focusListener->take()) {
                if (heard.startsWith(role + QLatin1Char('|')))
                    names.append(heard.section(QLatin1Char('|'), 1));
            }
            return !names.isEmpty();
        },
        std::chrono::milliseconds(timeoutMs), std::chrono::milliseconds(50));
    return names;
}

#include "accessibilitybus.moc"
