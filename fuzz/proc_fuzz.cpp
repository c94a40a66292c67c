#include "platform/ProcStat.h"
#include "platform/SystemInfoReader.h"

#include <cstddef>
#include <cstdint>

// Any bytes as /proc/stat, /proc/cpuinfo and /proc/meminfo: the parsers must neither
// crash nor report a clock that isn't a plain number of megahertz.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)ProcStat::parse(bytes, 0);
    (void)ProcStat::parse(bytes, 7);
    const SystemInfoReader::Processor cpu = SystemInfoReader::parseCpuInfo(bytes);
    if (!(cpu.mhz >= 0.0 && cpu.mhz < 1e7))
        __builtin_trap();
    (void)SystemInfoReader::vendorName(cpu.vendorId);
    (void)SystemInfoReader::parseMemInfo(bytes);
    return 0;
}
