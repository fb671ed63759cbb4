// Build-time tool: turns the user guide's Markdown source into the PDF that
// the help commands open. Runs on the offscreen platform, so a build without
// a display makes it too.
//
// Usage: manual_pdf SOURCE.md OUT.pdf [FONT_FAMILY]
//
// Pictures are named relative to the source file and shrink to the text
// width; every top-level heading starts a page; tables get thin rules. The text is set in a
// Japanese font (Noto Sans CJK JP unless named), which the PDF embeds.

#include <QColor>
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
#include <QTextTable>
#include <algorithm>
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
            pictures.push_back(
                {fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
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

bool HoldsPicture(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat()) return true;
    }
    return false;
}

// Chapters (level-1 headings) after the first start on a new page, and so
// does a section that opens with a picture, which would otherwise leave its
// heading alone at the foot of a page.
void BreakPages(QTextDocument& doc) {
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        bool breakBefore = false;
        if (level == 1) {
            breakBefore = !first;
            first = false;
        } else if (level > 1) {
            breakBefore = HoldsPicture(block.next());
        }
        if (!breakBefore) continue;
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }
}

// Tables as a reader of a printed manual expects them: the full text width,
// thin single rules, some room around the text, the heading row shaded.
void StyleTables(QTextDocument& doc) {
    std::vector<QTextTable*> tables;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        if (table && (tables.empty() || tables.back() != table)) tables.push_back(table);
    }
    for (QTextTable* table : tables) {
        QTextTableFormat format = table->format();
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setBorderCollapse(true);
        format.setBorder(1);
        format.setBorderBrush(QColor(0x80, 0x80, 0x80));
        format.setCellSpacing(0);
        format.setCellPadding(3);
        table->setFormat(format);
        for (int c = 0; c < table->columns(); ++c) {
            QTextTableCell cell = table->cellAt(0, c);
            QTextCharFormat heading = cell.format();
            heading.setBackground(QColor(0xe8, 0xe8, 0xe8));
            cell.setFormat(heading);
        }
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
    BreakPages(doc);
    StyleTables(doc);

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
