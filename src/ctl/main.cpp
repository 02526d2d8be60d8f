// w4ctl: the processor from scripts and control systems.
#include "ctlrequest.h"
#include "ctlrunner.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTextStream>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("w4ctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(W4_VERSION));
    // The session's developer output would mix with what scripts read;
    // QT_LOGGING_RULES can still turn it on.
    QLoggingCategory::setFilterRules(QStringLiteral("w4.*.debug=false"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QStringList arguments = app.arguments().mid(1);
    const QString device = qEnvironmentVariable("W4_DEVICE");
    const QString language = w4ctl::languageFromLocale(
        qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG"));
    const w4ctl::Parsed parsed = w4ctl::parseArguments(arguments, device, language);
    // Source texts are Chinese; English and Russian come from the catalogues.
    QTranslator translator;
    if (parsed.request.lang != QLatin1String("zh") &&
        translator.load(QStringLiteral(":/ctl/ctl_%1.qm").arg(parsed.request.lang)))
        QCoreApplication::installTranslator(&translator);

    // The parse ran before the catalogue was known: ask again for its message.
    const w4ctl::Parsed checked = w4ctl::parseArguments(arguments, device, language);
    const w4ctl::Request &request = checked.request;
    if (request.version && checked.error.isEmpty()) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << Qt::endl;
        return w4ctl::ExitOk;
    }
    if (request.help && checked.error.isEmpty()) {
        out << w4ctl::helpText(request.command.section(QLatin1Char(' '), 0, 0));
        return w4ctl::ExitOk;
    }
    QString refusal = checked.error;
    if (refusal.isEmpty() && request.command.isEmpty())
        refusal = w4ctl::Ctl::tr("缺少命令");
    if (!refusal.isEmpty()) {
        err << w4ctl::errorLine(refusal) << '\n';
        if (request.command.isEmpty() && checked.error.isEmpty())
            err << w4ctl::helpText(QString());
        err << w4ctl::helpHint() << Qt::endl;
        if (w4ctl::wantsJson(arguments))
            out << w4ctl::jsonText(QJsonObject{{"ok", false}, {"error", refusal}}, request.pretty)
                << Qt::flush;
        return w4ctl::ExitBadInput;
    }
    w4ctl::Runner runner(request, out, err);
    return runner.run();
}
