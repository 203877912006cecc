'''python-dbusmock template: the freedesktop settings portal with the one setting the window
reads, org.freedesktop.appearance color-scheme (0 no preference, 1 prefer dark, 2 prefer light).

Parameters: "scheme", the value it starts with (0); "read_one": false for a portal older than
version 2 of the interface, which has only Read. SetColorScheme on the mock interface changes
the setting and says so with SettingChanged, as a desktop does when the user switches.
'''

import dbus

from dbusmock import MOCK_IFACE

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.Settings'
SYSTEM_BUS = False

# A setting the portal does not have is an error, as the real one answers.
LOOK_UP = '''if tuple(args) != ('org.freedesktop.appearance', 'color-scheme'):
    raise dbus.exceptions.DBusException('no such setting', name='org.freedesktop.portal.Error.NotFound')
'''


def load(mock, parameters):
    mock.scheme = dbus.UInt32(parameters.get('scheme', 0))
    # Read wraps the value in one variant more than ReadOne does.
    methods = [('Read', 'ss', 'v', LOOK_UP + 'ret = dbus.UInt32(self.scheme, variant_level=2)')]
    if parameters.get('read_one', True):
        methods.append(('ReadOne', 'ss', 'v', LOOK_UP + 'ret = dbus.UInt32(self.scheme)'))
    mock.AddMethods(MAIN_IFACE, methods)


@dbus.service.method(MOCK_IFACE, in_signature='u', out_signature='')
def SetColorScheme(self, scheme):
    self.scheme = dbus.UInt32(scheme)
    self.EmitSignal(MAIN_IFACE, 'SettingChanged', 'ssv',
                    ['org.freedesktop.appearance', 'color-scheme', dbus.UInt32(scheme, variant_level=1)])
