#include "ui/graphs/GraphPicture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "data/FileReplacement.h"
#include "data/RegularFile.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/main/MessageBox.h"

namespace kelp {

namespace {

// Logical pixels to the inch, as the graphs are laid out on the screen.
constexpr double kLogicalDpi = 96.0;
// The resolution of PDF pages: fine enough that no coordinate is rounded
// visibly, coarse enough for small files.
constexpr int kPdfDpi = 1200;

PrintResponder& Responder() {
    static PrintResponder responder;
    return responder;
}

QByteArray PngBytes(const QSize& size, const PictureRenderer& render) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        render(painter, QRect(QPoint(0, 0), size));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray SvgBytes(const QSize& size, const QString& title, const PictureRenderer& render) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(static_cast<int>(kLogicalDpi));
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg)) {
        return {};
    }
    render(painter, QRect(QPoint(0, 0), size));
    painter.end();
    return bytes;
}

QByteArray PdfBytes(const QSize& size, const QString& title, const PictureRenderer& render) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("kelp-collector"));
    pdf.setResolution(kPdfDpi);
    const QSizeF points(size.width() * 72.0 / kLogicalDpi, size.height() * 72.0 / kLogicalDpi);
    // ExactMatch: a size near a standard paper size must not become it.
    const QPageLayout layout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                             QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    if (!pdf.setPageLayout(layout)) {
        return {};
    }
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return {};
    }
    const double scale = kPdfDpi / kLogicalDpi;
    painter.scale(scale, scale);
    render(painter, QRect(QPoint(0, 0), size));
    painter.end();
    return bytes;
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return PictureFormat::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return PictureFormat::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return PictureFormat::Pdf;
    }
    return std::nullopt;
}

QByteArray PictureBytes(PictureFormat format, const QSize& size, const QString& title,
                        const PictureRenderer& render) {
    if (size.isEmpty()) {
        return {};
    }
    switch (format) {
        case PictureFormat::Png:
            return PngBytes(size, render);
        case PictureFormat::Svg:
            return SvgBytes(size, title, render);
        case PictureFormat::Pdf:
            return PdfBytes(size, title, render);
    }
    return {};
}

bool SavePicture(const std::string& path, PictureFormat format, const QSize& size, const QString& title,
                 const PictureRenderer& render) {
    const QByteArray bytes = PictureBytes(format, size, title, render);
    if (bytes.isEmpty()) {
        return false;
    }
    // Through the one replacement of the program's files: a device, pipe or
    // folder at the name is refused, and an existing picture keeps its
    // links, owner and mode.
    CFileReplacement file;
    if (!file.Begin(path)) {
        return false;
    }
    if (!WriteAllAt(file.Fd(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                    0)) {
        file.Abandon();
        return false;
    }
    return file.Commit();
}

bool PrintPicture(QPrinter& printer, const QSize& size, const PictureRenderer& render) {
    if (size.isEmpty()) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    // The painter starts at the top-left corner of the printable area.
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(area.width() / size.width(), area.height() / size.height());
    painter.translate((area.width() - scale * size.width()) / 2.0,
                      (area.height() - scale * size.height()) / 2.0);
    painter.scale(scale, scale);
    render(painter, QRect(QPoint(0, 0), size));
    return painter.end();
}

QFont PixelFont(const QFont& font) {
    if (font.pixelSize() > 0) {
        return font;
    }
    QFont sized = font;
    sized.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSizeF() * kLogicalDpi / 72.0))));
    return sized;
}

std::string ProposedPictureName(const std::string& dataFile, const std::string& kind) {
    const QString stem = QFileInfo(QString::fromStdString(dataFile)).completeBaseName();
    return (stem.isEmpty() ? kind : stem.toStdString() + "-" + kind) + ".png";
}

void SavePictureCommand(QWidget* owner, const QSize& size, const QString& title,
                        const PictureRenderer& render, const std::string& proposedName) {
    const std::string path =
        AskSaveFileName(owner, LoadText(IDS_PICTURE_SAVE_TITLE),
                        {LoadText(IDS_PICTURE_FILTER_PNG), LoadText(IDS_PICTURE_FILTER_SVG),
                         LoadText(IDS_PICTURE_FILTER_PDF)},
                        {"png", "svg", "pdf"}, proposedName);
    if (path.empty()) {
        return;
    }
    const std::optional<PictureFormat> format = PictureFormatOf(path);
    if (!format || !SavePicture(path, *format, size, title, render)) {
        ShowMessage(owner, IDS_PICTURE_SAVE_FAILED, kStyleError);
    }
}

void PrintPictureCommand(QWidget* owner, const QSize& size, const QString& title,
                         const PictureRenderer& render) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (Responder()) {
        if (!Responder()(printer)) {
            return;
        }
    } else {
        QPrintDialog dialog(&printer, owner);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    if (!PrintPicture(printer, size, render)) {
        ShowMessage(owner, IDS_PRINT_FAILED, kStyleError);
    }
}

void SetPrintResponder(PrintResponder responder) {
    Responder() = std::move(responder);
}

}  // namespace kelp
