#!/usr/bin/python3
"""A stand-in for ModemManager on a private bus, for the tests.

It answers as the desktop's modem service does: its object manager lists one modem whose
ports include DEVICE, and InhibitDevice(uid, inhibit) on the manager lets go of the modem's
device or takes it back. Like the service, it holds DEVICE open and locked (TIOCEXCL and an
exclusive flock) until it is asked to inhibit it. Every InhibitDevice call is appended to LOG
as "InhibitDevice UID true|false". It prints READY once it holds the device and owns its name.

    modem_manager_standin.py --address BUS --device PATH --uid UID --log FILE
"""
import argparse
import fcntl
import os
import sys
import termios

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SERVICE = "org.freedesktop.ModemManager1"
PATH = "/org/freedesktop/ModemManager1"
MODEM = SERVICE + ".Modem"
OBJECT_MANAGER = "org.freedesktop.DBus.ObjectManager"
MM_MODEM_PORT_TYPE_AT = 3


class Holder:
    """The device held open and locked, as the service holds a modem's port."""

    def __init__(self, device):
        self.device = device
        self.fd = None

    def hold(self):
        if self.fd is None:
            fd = os.open(self.device, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
            fcntl.ioctl(fd, termios.TIOCEXCL)
            fcntl.flock(fd, fcntl.LOCK_EX | fcntl.LOCK_NB)
            self.fd = fd

    def release(self):
        if self.fd is not None:
            fcntl.ioctl(self.fd, termios.TIOCNXCL)
            fcntl.flock(self.fd, fcntl.LOCK_UN)
            os.close(self.fd)
            self.fd = None


class Manager(dbus.service.Object):
    def __init__(self, bus, holder, uid, log):
        super().__init__(bus, PATH)
        self.holder = holder
        self.uid = uid
        self.log = log
        # The port's name is the device's name below /dev, as the service lists it.
        self.port = os.path.realpath(holder.device)[len("/dev/"):]

    @dbus.service.method(OBJECT_MANAGER, out_signature="a{oa{sa{sv}}}")
    def GetManagedObjects(self):
        ports = dbus.Array([dbus.Struct((self.port, dbus.UInt32(MM_MODEM_PORT_TYPE_AT)),
                                        signature="su")], signature="(su)")
        modem = {
            "Device": dbus.String(self.uid, variant_level=1),
            "Ports": dbus.Array(ports, signature="(su)", variant_level=1),
            "PrimaryPort": dbus.String(self.port, variant_level=1),
            "Model": dbus.String("Motorola C350", variant_level=1),
        }
        return {dbus.ObjectPath(PATH + "/Modem/0"): {
            MODEM: dbus.Dictionary(modem, signature="sv"),
            SERVICE + ".Modem.Modem3gpp": dbus.Dictionary({}, signature="sv"),
        }}

    @dbus.service.method(SERVICE, in_signature="sb")
    def InhibitDevice(self, uid, inhibit):
        with open(self.log, "a") as log:
            log.write("InhibitDevice %s %s\n" % (uid, "true" if inhibit else "false"))
        if uid != self.uid:
            raise dbus.exceptions.DBusException("No device found with uid " + uid,
                                                name=SERVICE + ".Error.Core.NotFound")
        if inhibit:
            self.holder.release()
        else:
            self.holder.hold()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--address", required=True)
    parser.add_argument("--device", required=True)
    parser.add_argument("--uid", required=True)
    parser.add_argument("--log", required=True)
    args = parser.parse_args()

    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(args.address)
    holder = Holder(args.device)
    holder.hold()
    manager = Manager(bus, holder, args.uid, args.log)
    name = dbus.service.BusName(SERVICE, bus, do_not_queue=True)
    print("READY", flush=True)
    loop = GLib.MainLoop()
    bus.call_on_disconnection(lambda _: loop.quit())
    loop.run()
    del name, manager
    holder.release()


if __name__ == "__main__":
    sys.exit(main())
