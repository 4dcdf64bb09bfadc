// The toolkit floor for the benchmarks: the least a Qt 6 Widgets program can
// be while it shows what the main window shows at start (the same Chinese
// texts, among them the list's column captions and the large colons between
// the digits, the CJK digit font, one 1 s clock timer), with nothing of the
// program's own machinery. Its start-up, memory and idle cost are what the
// program is measured against.

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    QApplication::setFont(font);

    QWidget window;
    window.setWindowTitle(QStringLiteral(" Tikora~闹钟  1.0"));
    window.setFixedSize(374, 183);
    QFont digitFont(QStringLiteral("Noto Sans CJK SC"));
    digitFont.setPixelSize(35);
    digitFont.setBold(true);
    QLineEdit* boxes[3];
    for (int index = 0; index < 3; ++index) {
        boxes[index] = new QLineEdit(QStringLiteral("00"), &window);
        boxes[index]->setGeometry(16 + 64 * index, 24, 50, 45);
        boxes[index]->setFont(digitFont);
        boxes[index]->setReadOnly(true);
        boxes[index]->setAlignment(Qt::AlignCenter);
    }
    for (const int left : {63, 127}) {
        auto* colon = new QLabel(QStringLiteral("："), &window);
        QFont colonFont(digitFont);
        colonFont.setPixelSize(48);
        colon->setFont(colonFont);
        colon->setGeometry(left, 16, 24, 48);
    }
    // The captions of the list's visible columns, as plain labels where the list shows them.
    const int captionLefts[] = {7, 57, 107, 242};
    const char* captions[] = {"闹钟", "响铃", "状态", "备注"};
    for (int column = 0; column < 4; ++column)
        (new QLabel(QString::fromUtf8(captions[column]), &window))->setGeometry(captionLefts[column], 78, 50, 18);
    (new QLabel(QStringLiteral("现在的时间："), &window))->setGeometry(16, 8, 80, 16);
    (new QPushButton(QStringLiteral("添加闹钟"), &window))->setGeometry(224, 8, 64, 32);
    (new QPushButton(QStringLiteral("设置"), &window))->setGeometry(296, 8, 64, 32);
    (new QLabel(QStringLiteral("注意：目前仅支持 5个闹钟"), &window))->setGeometry(5, 167, 176, 16);
    (new QLabel(QStringLiteral("Pelgrin工作室"), &window))->setGeometry(177, 167, 190, 16);

    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&] {
        const QTime now = QTime::currentTime();
        boxes[0]->setText(QString::number(now.hour()));
        boxes[1]->setText(QString::number(now.minute()));
        boxes[2]->setText(QString::number(now.second()));
    });
    clock.start(1000);
    window.show();
    return application.exec();
}
