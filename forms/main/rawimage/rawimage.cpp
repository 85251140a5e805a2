// Build tool: writes an image's pixels as raw premultiplied ARGB32, for images the program needs
// before its first paint, where reading a PNG would load every image format plugin first.
//   rawimage IMAGE OUTPUT
#include <QFile>
#include <QImage>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    const QImage image = QImage(QString::fromLocal8Bit(argv[1]))
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (image.isNull() || !out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "rawimage: cannot convert %s\n", argv[1]);
        return 1;
    }
    for (int y = 0; y < image.height(); ++y)
        out.write(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
    return out.flush() ? 0 : 1;
}
