#pragma once

#include "preset.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// What one run of w4ctl is asked to do, read from its arguments and checked
// before anything is sent: the link, the options, and for each command the
// commands to send and the state expected afterwards.
namespace w4ctl {

// The translation context of every text w4ctl prints.
struct Ctl
{
    Q_DECLARE_TR_FUNCTIONS(Ctl)
};

// Exit codes.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;   // the device did not take it, or reads back otherwise
constexpr int ExitBadInput = 2; // nothing was sent

struct Link
{
    enum Kind { None, Serial, Tcp, Udp } kind = None;
    QString target; // port path or host
    quint16 port = 23;
    bool canRead() const { return kind == Tcp || kind == Udp; }
};

struct Request
{
    Link link;
    QString from; // local address for search and UDP
    int intervalMs = -1;
    int timeoutMs = -1; // -1: the command's own default
    bool json = false;
    bool pretty = false; // indented JSON
    bool dryRun = false;
    bool help = false;
    bool version = false;
    QString lang = QStringLiteral("en");

    QString command; // search, status, layout, ... ; empty: none given
    QString file;    // preset save / apply

    // The state expected afterwards (only what the command sets is known). A
    // preset apply compares it with the state read first and sends only what
    // differs; other commands send all of it.
    w4::Preset target;
    bool applyPreset = false;
    bool sendTarget = true;    // false: the target is only checked afterwards
    QStringList fixedCommands; // sent after those from the target, as they are
    bool needsState = false;   // the state must be read before anything is sent
    int window = -1;           // 0..3 for window and picture
    int level = 0;             // window --level, 1..4
    bool audioOn = false;      // window --audio on (its value is the window's input)
};

struct Parsed
{
    Request request;
    QString error; // empty when the arguments are good
};

// `arguments` without the program name; `environmentDevice` is W4_DEVICE;
// `language` the one of the messages when --lang is not given.
Parsed parseArguments(const QStringList &arguments, const QString &environmentDevice,
                      const QString &language = QStringLiteral("en"));

// zh, en or ru from the locale variables as POSIX ranks them (LC_ALL, then
// LC_MESSAGES, then LANG; the first that is set and not empty decides).
QString languageFromLocale(const QString &lcAll, const QString &lcMessages, const QString &lang);

// Whether the arguments ask for JSON (before any "--"), for the refusals that
// come before the request is known.
bool wantsJson(const QStringList &arguments);

// A value as it is shown in a message: long ones are cut.
QString shownValue(const QString &value);

// Every message to the user starts with the program's name; a refusal of the
// input ends with the hint to the help.
QString errorLine(const QString &message);
// One line of JSON (indented over several lines when `pretty`), ending in a
// newline.
QByteArray jsonText(const QJsonObject &object, bool pretty);
QString helpHint();

// The help text of a command (the general one for an empty or unknown name).
QString helpText(const QString &command);

// The message for a preset file that cannot be used.
QString presetLoadMessage(const QString &file, const w4::PresetLoad &load);

} // namespace w4ctl
