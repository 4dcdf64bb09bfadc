// Draws the program icon and writes it as an ICO file:
//   make_icon OUTPUT.ico [--preview DIRECTORY]
// With --preview, the file is read back through Qt's ICO reader and each image is saved as
// a PNG, so what the program will show can be looked at directly.

#include "clockdrawing.h"
#include "icowriter.h"
#include "palette.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTextStream>

namespace {

QByteArray buildIcon()
{
    using icon::Scheme;
    icon::IcoWriter writer;
    writer.addIndexed(icon::drawAlarmClock(32, Scheme::Monochrome), {qRgb(0, 0, 0), qRgb(255, 255, 255)}, 1);
    const QImage forSixteenColours = icon::drawAlarmClock(48, Scheme::Flat);
    writer.addIndexed(forSixteenColours, icon::medianCutPalette(forSixteenColours, 16), 4);
    for (const int size : {48, 32, 16}) {
        const QImage image = icon::drawAlarmClock(size, Scheme::Shaded);
        writer.addIndexed(image, icon::medianCutPalette(image, 256), 8);
    }
    for (const int size : {128, 48, 32, 16})
        writer.addTrueColour(icon::drawAlarmClock(size, Scheme::Shaded));
    return writer.toBytes();
}

bool writePreviews(const QString& iconPath, const QString& directory)
{
    QImageReader reader(iconPath, "ico");
    QDir().mkpath(directory);
    for (int index = 0; index < reader.imageCount(); ++index) {
        if (!reader.jumpToImage(index))
            return false;
        const QImage image = reader.read();
        if (image.isNull())
            return false;
        // Qt's ICO reader notes the depth the image had in the file.
        const QString depth = image.text(QStringLiteral("_q_icoOrigDepth"));
        const QString name = QStringLiteral("%1-%2x%3-%4bpp.png")
                                 .arg(index)
                                 .arg(image.width())
                                 .arg(image.height())
                                 .arg(depth.isEmpty() ? QStringLiteral("?") : depth);
        if (!image.save(QDir(directory).filePath(name)))
            return false;
    }
    return reader.imageCount() > 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    QString previewDirectory;
    if (const qsizetype flag = arguments.indexOf(QStringLiteral("--preview")); flag >= 0 && flag + 1 < arguments.size()) {
        previewDirectory = arguments.takeAt(flag + 1);
        arguments.removeAt(flag);
    }
    QTextStream errors(stderr);
    if (arguments.size() != 1) {
        errors << "usage: make_icon OUTPUT.ico [--preview DIRECTORY]\n";
        return 2;
    }

    QFile output(arguments.first());
    const QByteArray bytes = buildIcon();
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() || !output.flush()) {
        errors << "cannot write " << output.fileName() << ": " << output.errorString() << "\n";
        return 1;
    }
    output.close();
    QTextStream(stdout) << output.fileName() << ": " << bytes.size() << " bytes\n";

    if (!previewDirectory.isEmpty() && !writePreviews(output.fileName(), previewDirectory)) {
        errors << "cannot read the icon back for the previews\n";
        return 1;
    }
    return 0;
}
