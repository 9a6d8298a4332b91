#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

"""Stand-ins for what lies between the program and its desktop.

  relay.py x11 SOCKET DELAY_MS
      Listens on a free TCP display port on the loopback address and passes
      every connection's bytes to the X server's socket SOCKET and back, each
      direction DELAY_MS late, as a long network link does. Bytes only: file
      descriptors sent with a message are dropped, as any TCP link drops them.
      Prints the display number (DISPLAY=localhost:N) once it listens.

  relay.py silent SOCKET
      Listens on the Unix socket SOCKET and accepts every connection, then
      never answers: a session manager that hangs. Prints "ready".

Runs until killed.
"""

import asyncio
import socket
import sys

FIRST_DISPLAY = 50
LAST_DISPLAY = 99
X11_BASE_PORT = 6000
CHUNK = 65536


async def pass_on(reader, writer, delay):
    """Copies reader to writer, each chunk `delay` seconds after it came."""
    loop = asyncio.get_running_loop()
    queue = asyncio.Queue()

    async def send():
        while True:
            due, data = await queue.get()
            if data is None:
                break
            await asyncio.sleep(max(0.0, due - loop.time()))
            writer.write(data)
            await writer.drain()
        writer.close()

    sender = asyncio.create_task(send())
    try:
        while data := await reader.read(CHUNK):
            queue.put_nowait((loop.time() + delay, data))
    except ConnectionError:
        pass
    queue.put_nowait((loop.time() + delay, None))
    try:
        await sender
    except ConnectionError:
        pass


async def x11(server_socket, delay):
    async def connected(client_reader, client_writer):
        try:
            server_reader, server_writer = await asyncio.open_unix_connection(server_socket)
        except OSError:
            client_writer.close()
            return
        await asyncio.gather(pass_on(client_reader, server_writer, delay),
                             pass_on(server_reader, client_writer, delay))

    for number in range(FIRST_DISPLAY, LAST_DISPLAY + 1):
        try:
            server = await asyncio.start_server(connected, "127.0.0.1", X11_BASE_PORT + number,
                                                family=socket.AF_INET)
        except OSError:
            continue
        print(number, flush=True)
        async with server:
            await server.serve_forever()
    sys.exit("relay.py: no free display port")


async def silent(path):
    held = []

    async def connected(reader, writer):
        held.append(writer)  # kept open, never written to

    server = await asyncio.start_unix_server(connected, path)
    print("ready", flush=True)
    async with server:
        await server.serve_forever()


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "x11":
        asyncio.run(x11(sys.argv[2], int(sys.argv[3]) / 1000))
    elif len(sys.argv) == 3 and sys.argv[1] == "silent":
        asyncio.run(silent(sys.argv[2]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
