#pragma once
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QString>
#include <QWidget>

namespace kelp::test {

// The one QApplication of a GUI test program, made on first use.
inline QApplication& GuiApp() {
    static int argc = 1;
    static char name[] = "ui_graphs_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// The widget as painted, in its own pixels.
inline QImage Render(QWidget& w) {
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w.render(&image);
    return image;
}

// Writes a picture for a person to look at, under build/shots/.
inline void SaveShot(const QImage& image, const QString& name) {
    const QString dir = QStringLiteral(KELP_BINARY_DIR "/shots");
    QDir().mkpath(dir);
    image.save(dir + u'/' + name);
}

}  // namespace kelp::test
