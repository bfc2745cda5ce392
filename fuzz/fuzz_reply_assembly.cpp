// SPDX-License-Identifier: GPL-3.0-or-later
// Reply assembly plus the directory-line split: arbitrary bytes, cut into
// receive events of arbitrary sizes, with either terminator.
#include "core/protocol/DownloadWriter.h"
#include "core/protocol/JobTable.h"
#include "core/protocol/ReplyAssembler.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const char terminator = (data[0] & 1) ? '\r' : '\n';
    const size_t maxChunk = size_t(data[1]) + 1;
    data += 2;
    size -= 2;

    ReplyAssembler assembler;
    size_t offset = 0;
    size_t round = 0;
    while (offset < size) {
        // Chunk sizes vary with the data so that every split gets explored.
        const size_t chunk = std::min(size - offset, 1 + (data[offset] + round++) % maxChunk);
        const auto reply = assembler.feed(
            QByteArrayView(reinterpret_cast<const char *>(data + offset), qsizetype(chunk)),
            terminator);
        offset += chunk;
        if (assembler.length() > ReplyAssembler::kCapacity)
            __builtin_trap();
        if (!reply)
            continue;
        if (reply->size() > ReplyAssembler::kCapacity || reply->isEmpty() ||
            reply->back() != terminator)
            __builtin_trap();
        const DirectoryLine line = DirectoryLine::parse(*reply);
        JobTable table;
        table.store(int(round % JobTable::kJobCount), line);
        (void)JobTable::leadingCount(line.fixPointCount);
        (void)JobTable::withoutLineEnd(line.measurementCount);
        (void)DownloadWriter::withoutLineEnd(*reply);
    }
    return 0;
}
