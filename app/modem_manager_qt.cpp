#include "app/modem_manager_qt.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QThread>
#include <QVariantMap>
#include <atomic>

#include "link/language.h"
#include "ui/message_boxes.h"

namespace {

constexpr int kQuestionMs = 5000;
// InhibitDevice may wait for the user to authorise it (polkit asks for a password).
constexpr int kInhibitMs = 120000;

// A connection of its own to the system bus, under `name`: read each time from
// DBUS_SYSTEM_BUS_ADDRESS when that is set, so that a test's private bus is the one asked.
QDBusConnection ConnectSystemBus(const QString& name) {
    const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    return address.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SystemBus, name)
                             : QDBusConnection::connectToBus(address, name);
}

// A call that never starts ModemManager when it does not run.
QDBusMessage Call(const char* path, const char* interface, const char* method) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(orlin::kModemManagerService), QString::fromLatin1(path),
        QString::fromLatin1(interface), QString::fromLatin1(method));
    call.setAutoStartService(false);
    return call;
}

std::vector<std::string> PortNames(const QVariant& value) {
    std::vector<std::string> names;
    if (!value.canConvert<QDBusArgument>()) return names;
    const QDBusArgument ports = value.value<QDBusArgument>();
    if (ports.currentSignature() != QStringLiteral("a(su)")) return names;
    ports.beginArray();
    while (!ports.atEnd()) {
        QString name;
        uint type = 0;
        ports.beginStructure();
        ports >> name >> type;
        ports.endStructure();
        names.push_back(name.toStdString());
    }
    ports.endArray();
    return names;
}

}  // namespace

QtModemManager::QtModemManager(QWidget* window) : window_(window) {}

QtModemManager::~QtModemManager() {
    if (inhibitConnection_.isEmpty()) return;
    QDBusConnection bus(inhibitConnection_);
    for (const QString& uid : inhibited_) {
        QDBusMessage call =
            Call(orlin::kModemManagerPath, orlin::kModemManagerService, "InhibitDevice");
        call << uid << false;
        bus.call(call, QDBus::Block, kQuestionMs);
    }
    QDBusConnection::disconnectFromBus(inhibitConnection_);
}

std::vector<orlin::ManagedModem> QtModemManager::Modems() {
    std::vector<orlin::ManagedModem> modems;
    // Asked from the finder's thread as well: a connection of each question's own.
    static std::atomic<int> questions{0};
    const QString name = QStringLiteral("orlin-modemmanager-question-%1").arg(++questions);
    {
        QDBusConnection bus = ConnectSystemBus(name);
        if (bus.isConnected()) {
            const QDBusMessage reply =
                bus.call(Call(orlin::kModemManagerPath, orlin::kObjectManager, "GetManagedObjects"),
                         QDBus::Block, kQuestionMs);
            if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1 &&
                reply.signature() == QStringLiteral("a{oa{sa{sv}}}")) {
                const QDBusArgument objects = reply.arguments().at(0).value<QDBusArgument>();
                objects.beginMap();
                while (!objects.atEnd()) {
                    QDBusObjectPath path;
                    objects.beginMapEntry();
                    objects >> path;
                    objects.beginMap();
                    while (!objects.atEnd()) {
                        QString interface;
                        QVariantMap properties;
                        objects.beginMapEntry();
                        objects >> interface >> properties;
                        objects.endMapEntry();
                        if (interface != QLatin1String(orlin::kModemManagerModem)) continue;
                        orlin::ManagedModem modem;
                        modem.object = path.path().toStdString();
                        modem.uid =
                            properties.value(QStringLiteral("Device")).toString().toStdString();
                        modem.ports = PortNames(properties.value(QStringLiteral("Ports")));
                        modems.push_back(modem);
                    }
                    objects.endMap();
                    objects.endMapEntry();
                }
                objects.endMap();
            }
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return modems;
}

std::string QtModemManager::Remedy() const {
    return orlin::Tr(
        "QtModemManager",
        "Orlin может попросить ModemManager отпустить порт, пока программа работает; "
        "или установите правило udev 60-orlin.rules, с которым ModemManager не трогает "
        "телефоны Motorola (см. README).");
}

bool QtModemManager::Release(orlin::PortHolder& holder) {
    // The finder probes on a thread of its own, where no box may be shown.
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) return false;
    if (!MessageBoxes::confirm(
            window_, QString::fromStdString(holder.text) + QStringLiteral("\n\n") +
                         QCoreApplication::translate("QtModemManager",
                                                     "Попросить ModemManager отпустить порт?")))
        return false;
    if (inhibitConnection_.isEmpty()) {
        inhibitConnection_ = QStringLiteral("orlin-modemmanager-inhibit");
        ConnectSystemBus(inhibitConnection_);
    }
    QDBusConnection bus(inhibitConnection_);
    QDBusMessage call =
        Call(orlin::kModemManagerPath, orlin::kModemManagerService, "InhibitDevice");
    call << QString::fromStdString(holder.id) << true;
    call.setInteractiveAuthorizationAllowed(true);
    const QDBusMessage reply =
        bus.isConnected()
            ? bus.call(call, QDBus::Block, kInhibitMs)
            : QDBusMessage::createError(
                  QStringLiteral("org.freedesktop.DBus.Error.NoServer"),
                  QCoreApplication::translate("QtModemManager", "системная шина недоступна"));
    if (reply.type() != QDBusMessage::ReplyMessage) {
        holder.text =
            orlin::ModemManagerRefusedText(holder.device, reply.errorMessage().toStdString());
        return false;
    }
    inhibited_ << QString::fromStdString(holder.id);
    return true;
}
