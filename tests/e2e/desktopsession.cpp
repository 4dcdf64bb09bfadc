#include "desktopsession.h"

#include "waiting.h"

#include <algorithm>

#include <QRegularExpression>
#include <QThread>

#ifndef TIKORA_DESKTOP_SCRIPT
#error "TIKORA_DESKTOP_SCRIPT must name tools/desktop.sh"
#endif

namespace {

QString id(unsigned long window)
{
    return QString::number(window);
}

int number(const QString& text, const QString& pattern)
{
    const auto match = QRegularExpression(pattern).match(text);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

std::vector<std::string> commandOf(const QString& program, const QStringList& arguments)
{
    std::vector<std::string> command{program.toStdString()};
    for (const QString& argument : arguments)
        command.push_back(argument.toStdString());
    return command;
}

std::vector<std::string> environmentOf(const QProcessEnvironment& environment)
{
    std::vector<std::string> variables;
    for (const QString& variable : environment.toStringList())
        variables.push_back(variable.toStdString());
    return variables;
}

DesktopSession::DesktopSession()
{
    m_desktop = std::make_unique<testsupport::ProcessGroup>(
        commandOf(QStringLiteral(TIKORA_DESKTOP_SCRIPT)),
        testsupport::ProcessGroup::Options{.output = testsupport::ProcessGroup::Output::Captured});
    if (const auto line = m_desktop->readLine(std::chrono::seconds(30)))
        m_display = QString::fromStdString(*line).trimmed();
    if (m_display.isEmpty())
        m_failure = QStringLiteral("tools/desktop.sh gave no display");
}

DesktopSession::~DesktopSession()
{
    m_programs.clear();
    m_desktop.reset();
}

QProcessEnvironment DesktopSession::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

testsupport::ProcessGroup* DesktopSession::start(const QString& program, const QStringList& arguments,
                                                 const QProcessEnvironment& extra)
{
    QProcessEnvironment environment = this->environment();
    for (const QString& key : extra.keys())
        environment.insert(key, extra.value(key));
    m_programs.push_back(std::make_unique<testsupport::ProcessGroup>(
        commandOf(program, arguments), testsupport::ProcessGroup::Options{.environment = environmentOf(environment)}));
    return m_programs.back().get();
}

QString DesktopSession::run(const QString& program, const QStringList& arguments, int timeoutMs) const
{
    std::string output;
    const auto ended = testsupport::runToEnd(
        commandOf(program, arguments), output, std::chrono::milliseconds(timeoutMs),
        {.environment = environmentOf(environment()), .output = testsupport::ProcessGroup::Output::Captured,
         .errorFile = "/dev/null"});
    return ended ? QString::fromStdString(output) : QString();
}

QStringList DesktopSession::windowsTitled(const QString& title) const
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                           QRegularExpression::escape(title)})
        .split(u'\n', Qt::SkipEmptyParts);
}

unsigned long DesktopSession::waitForWindow(const QString& title, int timeoutMs) const
{
    QStringList ids;
    testsupport::waitUntil([&] { return !(ids = windowsTitled(title)).isEmpty(); }, std::chrono::milliseconds(timeoutMs),
                           std::chrono::milliseconds(50));
    return ids.isEmpty() ? 0 : ids.first().toULong();
}

bool DesktopSession::waitForNoWindow(const QString& title, int timeoutMs) const
{
    return testsupport::waitUntil([&] { return windowsTitled(title).isEmpty(); }, std::chrono::milliseconds(timeoutMs),
                                  std::chrono::milliseconds(50));
}

QString DesktopSession::windowTitle(unsigned long window) const
{
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-id"), id(window), QStringLiteral("_NET_WM_NAME")});
    const int quote = line.indexOf(u'"');
    return quote < 0 ? QString() : line.mid(quote + 1, line.lastIndexOf(u'"') - quote - 1);
}

QStringList DesktopSession::windowClass(unsigned long window) const
{
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-id"), id(window), QStringLiteral("WM_CLASS")});
    // WM_CLASS is a Latin-1 property; xprop writes the other bytes as octal
    // escapes, which are put back here and read as UTF-8.
    QStringList parts;
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    for (const auto& match : quoted.globalMatch(line)) {
        const QString escaped = match.captured(1);
        QByteArray bytes;
        for (int index = 0; index < escaped.size(); ++index) {
            if (escaped[index] == u'\\' && index + 3 < escaped.size() && escaped.mid(index + 1, 3).toInt(nullptr, 8) > 0) {
                bytes.append(static_cast<char>(escaped.mid(index + 1, 3).toInt(nullptr, 8)));
                index += 3;
            } else {
                bytes.append(escaped[index].toLatin1());
            }
        }
        parts << QString::fromUtf8(bytes);
    }
    return parts;
}

QList<QImage> DesktopSession::windowIcons(unsigned long window) const
{
    // As numbers: width, height, then one 0xAARRGGBB value per pixel, for each image.
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-id"), id(window), QStringLiteral("-f"),
                                                       QStringLiteral("_NET_WM_ICON"), QStringLiteral("32c"),
                                                       QStringLiteral("_NET_WM_ICON")});
    const QStringList values = line.mid(line.indexOf(u'=') + 1).split(u',', Qt::SkipEmptyParts);
    QList<QImage> images;
    for (qsizetype at = 0; at + 2 <= values.size();) {
        const int width = values[at].trimmed().toInt();
        const int height = values[at + 1].trimmed().toInt();
        at += 2;
        if (width <= 0 || height <= 0 || at + qsizetype(width) * height > values.size())
            break;
        QImage image(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, values[at++].trimmed().toUInt());
        }
        images.append(image);
    }
    return images;
}

QStringList DesktopSession::windowState(unsigned long window) const
{
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-id"), id(window), QStringLiteral("_NET_WM_STATE")});
    const int equals = line.indexOf(u'=');
    if (equals < 0)
        return {};
    QStringList atoms = line.mid(equals + 1).split(u',', Qt::SkipEmptyParts);
    for (QString& atom : atoms)
        atom = atom.trimmed();
    return atoms;
}

bool DesktopSession::isViewable(unsigned long window) const
{
    return run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id(window)}).contains(QStringLiteral("IsViewable"));
}

QRect DesktopSession::clientArea(unsigned long window) const
{
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id(window)});
    return {number(info, QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)")),
            number(info, QStringLiteral("Absolute upper-left Y:\\s+(-?\\d+)")),
            number(info, QStringLiteral("Width:\\s+(\\d+)")), number(info, QStringLiteral("Height:\\s+(\\d+)"))};
}

QSize DesktopSession::screenSize() const
{
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-root")});
    return {number(info, QStringLiteral("Width:\\s+(\\d+)")), number(info, QStringLiteral("Height:\\s+(\\d+)"))};
}

void DesktopSession::closeWindow(unsigned long window) const
{
    run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), id(window)});
}

void DesktopSession::click(unsigned long window, int x, int y, int button) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--window"), id(window),
                                    QString::number(x), QString::number(y), QStringLiteral("click"),
                                    QString::number(button)});
    QThread::msleep(100);
}

void DesktopSession::key(const QStringList& keys) const
{
    run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50")} + keys);
    QThread::msleep(100);
}

void DesktopSession::keyInWindow(unsigned long window, const QStringList& keys) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), id(window)});
    key(keys);
}

void DesktopSession::type(const QString& text) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), text});
    QThread::msleep(100);
}

void DesktopSession::replaceText(unsigned long window, int x, int y, const QString& text) const
{
    click(window, x, y);
    key({QStringLiteral("ctrl+a"), QStringLiteral("BackSpace")});
    // xdotool types a character outside the keyboard map by remapping a spare
    // key first; a program that reads the key before it has seen the new map
    // loses the character. Such text is pasted instead, as a user would.
    const bool onKeyboard = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (onKeyboard) {
        type(text);
        return;
    }
    serveClipboard(text);
    key({QStringLiteral("ctrl+v")});
}

void DesktopSession::serveClipboard(const QString& text) const
{
    // xclip serves the text until a program takes the clipboard over, and is
    // ended with the session.
    static int served = 0;
    const std::string file = m_files.write("clipboard" + std::to_string(++served), text.toStdString());
    const_cast<DesktopSession*>(this)->start(QStringLiteral("xclip"), {QStringLiteral("-quiet"), QStringLiteral("-selection"),
                                                                        QStringLiteral("clipboard"), QString::fromStdString(file)});
    QThread::msleep(150);
}

QString DesktopSession::copyText(unsigned long window, int x, int y, const QStringList& keys) const
{
    // A marker in the clipboard first, so that a copy that did not happen
    // cannot pass for the text of an earlier one.
    const QString marker = QStringLiteral("<nothing copied>");
    serveClipboard(marker);
    // On a busy machine a key can arrive before the click has moved the focus;
    // the copy is then tried again.
    QString text = marker;
    for (int attempt = 0; attempt < 3 && text == marker; ++attempt) {
        click(window, x, y);
        key(keys + QStringList{QStringLiteral("ctrl+c")});
        testsupport::waitUntil(
            [&] {
                text = run(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
                return text != marker;
            },
            std::chrono::seconds(2), std::chrono::milliseconds(50));
    }
    return text;
}

bool DesktopSession::screenshot(const QString& path) const
{
    std::string output;
    return testsupport::runToEnd(commandOf(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path}),
                                 output, std::chrono::seconds(10), {.environment = environmentOf(environment())}) == 0;
}
