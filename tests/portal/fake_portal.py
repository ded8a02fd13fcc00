#!/usr/bin/python3
"""Stands in for the desktop portal's RemoteDesktop interface on a private session bus.

Usage: fake_portal.py RECORD START_ANSWER. Answers CreateSession, SelectDevices and Start the
way xdg-desktop-portal does (a request path at once, then the Response signal on it); Start
answers START_ANSWER (0 granted, 1 refused, "none" never). Appends one line per call to RECORD.
The method CloseSessions (interface org.zorbic.FakePortal) closes every session as the desktop
would, with the Closed signal. Raw messages: dbus-next's proxy objects need introspection data.
"""
import asyncio
import sys

from dbus_next import Message, MessageType, Variant
from dbus_next.aio import MessageBus

RECORD, START_ANSWER = sys.argv[1], sys.argv[2]
ROOT = '/org/freedesktop/portal/desktop'
REMOTE = 'org.freedesktop.portal.RemoteDesktop'


def log(line):
    with open(RECORD, 'a') as f:
        f.write(line + '\n')


async def main():
    bus = await MessageBus().connect()
    sessions = {}  # path -> started

    def error(msg, text):
        return Message.new_error(msg, 'org.freedesktop.portal.Error.Failed', text)

    def respond(msg, options, code, results):
        sender = msg.sender[1:].replace('.', '_')
        path = f'{ROOT}/request/{sender}/{options["handle_token"].value}'
        bus.send(Message.new_method_return(msg, 'o', [path]))
        if code is not None:
            bus.send(Message.new_signal(path, 'org.freedesktop.portal.Request', 'Response',
                                        'ua{sv}', [code, results]))
        return True

    def handle(msg):
        if msg.message_type != MessageType.METHOD_CALL:
            return None
        if msg.member == 'Get' and msg.body == [REMOTE, 'version']:
            return Message.new_method_return(msg, 'v', [Variant('u', 1)])
        if msg.interface == 'org.freedesktop.portal.Request' and msg.member == 'Close':
            log('Request.Close')
            return Message.new_method_return(msg)
        if msg.interface == 'org.freedesktop.portal.Session' and msg.member == 'Close':
            log('Session.Close')
            sessions.pop(msg.path, None)
            return Message.new_method_return(msg)
        if msg.member == 'CloseSessions':
            for path in sessions:
                bus.send(Message.new_signal(path, 'org.freedesktop.portal.Session', 'Closed',
                                            'a{sv}', [{}]))
            sessions.clear()
            return Message.new_method_return(msg)
        if msg.interface != REMOTE or msg.path != ROOT:
            return None
        if msg.member == 'CreateSession':
            log('CreateSession')
            token = msg.body[0]['session_handle_token'].value
            path = f'{ROOT}/session/{msg.sender[1:].replace(".", "_")}/{token}'
            sessions[path] = False
            return respond(msg, msg.body[0], 0, {'session_handle': Variant('s', path)})
        if msg.body[0] not in sessions:
            return error(msg, 'Invalid session')
        if msg.member == 'SelectDevices':
            log(f'SelectDevices types={msg.body[1]["types"].value}')
            return respond(msg, msg.body[1], 0, {})
        if msg.member == 'Start':
            log('Start')
            code = None if START_ANSWER == 'none' else int(START_ANSWER)
            sessions[msg.body[0]] = code == 0
            return respond(msg, msg.body[2], code, {'devices': Variant('u', 1)} if code == 0 else {})
        if msg.member == 'NotifyKeyboardKeysym':
            if not sessions[msg.body[0]]:
                return error(msg, 'Session is not started')
            log(f'Key {msg.body[2]:x} {msg.body[3]}')
            return Message.new_method_return(msg)
        return None

    bus.add_message_handler(handle)
    await bus.request_name('org.freedesktop.portal.Desktop')
    await bus.wait_for_disconnect()


asyncio.run(main())
