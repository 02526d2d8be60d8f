#pragma once

// The few calls that Qt 5.15 and Qt 6 spell differently, so the same sources
// build warning-free with both.
#include <QByteArray>
#include <QFont>
#include <QMouseEvent>
#include <QString>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringDecoder>
#else
#include <QTextCodec>
#endif

// Where the pointer is on the screen, in whole pixels.
inline QPoint globalPointOf(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->globalPos();
#endif
}

// Where the pointer is in the receiving widget, to fractions of a pixel.
inline QPointF localPointOf(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position();
#else
    return event->localPos();
#endif
}

// A weight on Qt 5's scale (0 thin, 50 normal, 75 bold, 99 black); Qt 6 takes
// the nearest weight of its own scale, as it does for fonts saved by Qt 5.
inline void setQt5Weight(QFont &font, int weight)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    static const int qt5[] = {0, 12, 25, 50, 57, 63, 75, 81, 87};
    static const QFont::Weight qt6[] = {QFont::Thin,   QFont::ExtraLight, QFont::Light,
                                        QFont::Normal, QFont::Medium,     QFont::DemiBold,
                                        QFont::Bold,   QFont::ExtraBold,  QFont::Black};
    int nearest = 0;
    for (int i = 1; i < 9; ++i)
        if (qAbs(qt5[i] - weight) < qAbs(qt5[nearest] - weight))
            nearest = i;
    font.setWeight(qt6[nearest]);
#else
    font.setWeight(weight);
#endif
}

// Bytes in the GBK encoding as text; Latin-1 where this Qt has no GBK.
inline QString fromGbk(const QByteArray &bytes)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QStringDecoder gbk("GBK");
    return gbk.isValid() ? QString(gbk(bytes)) : QString::fromLatin1(bytes);
#else
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    return gbk ? gbk->toUnicode(bytes) : QString::fromLatin1(bytes);
#endif
}
