#pragma once

// What the session tests against w4sim share: the reasons a session announced,
// a device state unlike the defaults, and a check that the model holds it.
#include "devicemodel.h"
#include "devicestate.h"
#include "sessionstate.h"
#include "simharness.h"

#include <QSignalSpy>
#include <QtTest>

// The reasons announced, by name.
inline QStringList changes(const QSignalSpy &spy)
{
    QStringList out;
    for (const QList<QVariant> &args : spy)
        out << w4::toString(args.at(1).value<w4::SessionChange>());
    return out;
}

inline QStringList named(std::initializer_list<w4::SessionChange> list)
{
    QStringList out;
    for (w4::SessionChange c : list)
        out << w4::toString(c);
    return out;
}

#define COMPARE_STATE(actual, expected)                                                                   \
    QVERIFY2((actual) == (expected),                                                                     \
             qPrintable(w4::toString(actual) + QStringLiteral("  expected  ") + w4::toString(expected)))

// A device state unlike the defaults in every value checked below.
inline w4sim::DeviceState distinctiveState()
{
    w4sim::DeviceState s = w4sim::DeviceState::defaults();
    s.rows = 2;
    s.columns = 3;
    const int xs[] = {100, 2000, 600, 2400}, ys[] = {50, 100, 300, 500};
    const int ws[] = {1200, 1600, 800, 1000}, hs[] = {700, 900, 600, 500};
    const int lum[] = {30, -40, 55, -100}, inputs[] = {1, 2, 3, 0}, layers[] = {3, 1, 4, 2};
    for (int i = 0; i < 4; ++i) {
        w4sim::WindowState &w = s.windows[size_t(i)];
        w.x = xs[i], w.y = ys[i], w.width = ws[i], w.height = hs[i];
        w.luminance = lum[i];
        w.inputSource = inputs[i];
        w.layer = layers[i];
    }
    return s;
}

inline QStringList stateArgs(simtest::Sim &sim, const w4sim::DeviceState &state)
{
    const QString path = sim.path(QStringLiteral("state.json"));
    QString error;
    if (!state.save(path, &error))
        qWarning() << error;
    return {QStringLiteral("--state"), path};
}

// The model holds the layout and the four windows of `s`.
inline void verifyModel(const w4::DeviceModel &model, const w4sim::DeviceState &s)
{
    QCOMPARE(model.deviceWide().rows, s.rows);
    QCOMPARE(model.deviceWide().columns, s.columns);
    for (int i = 0; i < 4; ++i) {
        const w4sim::WindowState &d = s.windows[size_t(i)];
        const std::optional<w4::WindowStatus> &read = model.window(i);
        QVERIFY2(read.has_value(), qPrintable(QStringLiteral("window %1 not read").arg(i + 1)));
        QCOMPARE(read->window, i + 1);
        QCOMPARE(QRect(read->x, read->y, read->width, read->height), QRect(d.x, d.y, d.width, d.height));
        QCOMPARE(read->luminance, d.luminance);
        QCOMPARE(read->inputSource, d.inputSource);
        QCOMPARE(model.deviceWide().layers[size_t(i)], d.layer);
    }
}

