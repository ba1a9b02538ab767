#pragma once
// Picture files read back as their readers see them: the lines and texts of
// an SVG file, the pages of a PDF file.
#include <QFile>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QXmlStreamReader>
#include <map>
#include <string>
#include <vector>

namespace kelp::testing {

struct SvgContents {
    bool parsed = false;  // well-formed to its end
    QString viewBox;
    // The points of the polylines by stroke colour ("#rrggbb", lower case).
    std::map<QString, int> polylinePoints;
    QString texts;  // every text, run together
};

inline SvgContents ReadSvg(const std::string& path) {
    SvgContents contents;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return contents;
    }
    QXmlStreamReader svg(&file);
    std::vector<QString> strokes;  // of the groups open
    while (!svg.atEnd()) {
        svg.readNext();
        if (svg.isStartElement()) {
            const auto attributes = svg.attributes();
            if (svg.name() == QLatin1String("svg")) {
                contents.viewBox = attributes.value(QLatin1String("viewBox")).toString();
            } else if (svg.name() == QLatin1String("g")) {
                strokes.push_back(attributes.hasAttribute(QLatin1String("stroke"))
                                      ? attributes.value(QLatin1String("stroke")).toString()
                                      : (strokes.empty() ? QString() : strokes.back()));
            } else if (svg.name() == QLatin1String("polyline") && !strokes.empty()) {
                const QString points = attributes.value(QLatin1String("points")).toString().simplified();
                contents.polylinePoints[strokes.back().toLower()] += static_cast<int>(points.count(u' ')) + 1;
            } else if (svg.name() == QLatin1String("text")) {
                contents.texts += svg.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (svg.isEndElement() && svg.name() == QLatin1String("g") && !strokes.empty()) {
            strokes.pop_back();
        }
    }
    contents.parsed = !svg.hasError();
    return contents;
}

// The number of pages of a PDF file's text, or -1 when it is no PDF file.
inline int PdfPages(const std::string& pdf) {
    if (pdf.rfind("%PDF-", 0) != 0) {
        return -1;
    }
    return static_cast<int>(QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size()))
                                .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

// The size in points of the first page of a PDF file's text; empty when it
// names none.
inline QSizeF PdfPageSize(const std::string& pdf) {
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"))
            .match(QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size())));
    return box.hasMatch() ? QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble()) : QSizeF();
}

}  // namespace kelp::testing
