// SPDX-License-Identifier: MIT
// A picture draws what its SVG holds at the resolution of the device it is drawn on, from the
// PNGs the build drew, also when it comes from the cached pixmap of an earlier paint.

#include "widgets/svgpicture.h"

#include <QApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

using namespace Qt::StringLiterals;
using widgets::SvgPicture;

class SvgPictureTest : public QObject
{
    Q_OBJECT

private slots:
    void paint_matchesTheVectorsAtEveryScale_data();
    void paint_matchesTheVectorsAtEveryScale();
    void missingResource_drawsNothing();
};

namespace {

QImage blankImage(QSize size, qreal scale)
{
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

QImage rendered(SvgPicture &picture, qreal scale)
{
    QImage image = blankImage(picture.size(), scale);
    picture.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The largest difference of one colour channel between two images of the same size.
int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest =
                std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return largest;
}

} // namespace

void SvgPictureTest::paint_matchesTheVectorsAtEveryScale_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("scale");
    for (const qreal scale : {1.0, 1.25, 1.5, 2.0})
        QTest::addRow("scene, %gx", scale) << u"scene"_s << QSize(442, 234) << scale;
    QTest::newRow("scene, 2x, half size") << u"scene"_s << QSize(221, 117) << 2.0;
    QTest::newRow("tap, 2x") << u"tap"_s << QSize(71, 13) << 2.0;
}

void SvgPictureTest::paint_matchesTheVectorsAtEveryScale()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(qreal, scale);

    QImage expected = blankImage(size, scale);
    QSvgRenderer vectors(QStringLiteral(KVR_RESOURCES_DIR "/%1.svg").arg(name));
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::Antialiasing);
    vectors.render(&painter, QRectF(QPointF(), QSizeF(size)));
    painter.end();

    SvgPicture picture(name);
    picture.resize(size);
    QVERIFY(picture.isLoaded());
    // The first paint draws the pixmap, the second takes it from the cache.
    for (int paint = 0; paint < 2; ++paint) {
        const QImage drawn = rendered(picture, scale);
        QCOMPARE(drawn.size(), expected.size());
        QVERIFY2(largestDifference(drawn, expected) <= 2, qPrintable(QString::number(paint)));
    }
    // A second picture of the same resource draws the same.
    SvgPicture twin(name);
    twin.resize(size);
    QVERIFY(largestDifference(rendered(twin, scale), expected) <= 2);
}

void SvgPictureTest::missingResource_drawsNothing()
{
    SvgPicture picture(u"none"_s);
    picture.resize(40, 20);
    QVERIFY(!picture.isLoaded());
    QCOMPARE(rendered(picture, 1.0), blankImage(QSize(40, 20), 1.0));
}

QTEST_MAIN(SvgPictureTest)
#include "tst_svgpicture.moc"
