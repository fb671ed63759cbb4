// Build-time tool: turns the user guide's Markdown source into the PDF that
// the help commands open. Runs on the offscreen platform, so a build without
// a display makes it too.
//
// Usage: manual_pdf SOURCE.md OUT.pdf [FONT_FAMILY]
//
// Pictures are named relative to the source file and shrink to the text
// width; every top-level heading starts a page. The text is set in a Japanese
// font (Noto Sans CJK JP unless named), which the PDF embeds.

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <cstdio>
#include <vector>

namespace {

// Text width of an A4 page inside the 2 cm margins QTextDocument::print
// leaves, in the document's units (1/96 inch).
constexpr double kTextWidth = (210.0 - 40.0) / 25.4 * 96.0;
constexpr int kFontPointSize = 10;

bool Fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "manual_pdf: %s: %s\n", what, detail.toLocal8Bit().constData());
    return false;
}

// Loads every picture the document names and fits it to the text width.
bool PlacePictures(QTextDocument& doc, const QString& folder) {
    struct Placed {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Placed> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            pictures.push_back({fragment.position(), fragment.length(),
                                fragment.charFormat().toImageFormat()});
        }
    }
    for (Placed& p : pictures) {
        const QString name = p.format.name();
        const QImage image(folder + QLatin1Char('/') + name);
        if (image.isNull()) return Fail("no picture", name);
        doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        const double width = std::min<double>(image.width(), kTextWidth);
        p.format.setWidth(width);
        p.format.setHeight(width * image.height() / image.width());
        QTextCursor cursor(&doc);
        cursor.setPosition(p.position);
        cursor.setPosition(p.position + p.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(p.format);
    }
    return true;
}

// Chapters (level-1 headings) after the first start on a new page.
void BreakBeforeChapters(QTextDocument& doc) {
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1) continue;
        if (first) {
            first = false;
            continue;
        }
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }
}

bool Build(const QString& sourcePath, const QString& outPath, const QString& family) {
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) return Fail("cannot read", sourcePath);
    if (!QFontDatabase::hasFamily(family)) return Fail("no font", family);

    QTextDocument doc;
    QFont font(family, kFontPointSize);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromUtf8(source.readAll()));
    if (!PlacePictures(doc, QFileInfo(sourcePath).absolutePath())) return false;
    BreakBeforeChapters(doc);

    QPdfWriter writer(outPath);
    writer.setTitle(QStringLiteral("クインドル 使用解説書"));
    writer.setCreator(QStringLiteral("Quindle"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    doc.print(&writer);
    return QFileInfo(outPath).size() > 0 || Fail("nothing written", outPath);
}

}  // namespace

int main(int argc, char* argv[]) {
    // No display is needed, nor wanted: the build may run without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fprintf(stderr, "usage: manual_pdf SOURCE.md OUT.pdf [FONT_FAMILY]\n");
        return 2;
    }
    const QString family = args.size() == 4 ? args[3] : QStringLiteral("Noto Sans CJK JP");
    return Build(args[1], args[2], family) ? 0 : 1;
}
