#include "core/ColourValue.h"
#include "core/IniFile.h"

#include <cstddef>
#include <cstdint>

// Any bytes as a configuration file: reading every kind of value and rewriting a key
// must neither crash nor lose the lines it doesn't touch.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniFile ini(bytes);
    (void)ini.readInteger(QStringLiteral("ExitOptions"), QStringLiteral("RadioGroup1.ItemIndex"), 0);
    (void)ini.readBool(QStringLiteral("MouseOptions"), QStringLiteral("Enabled"), false);
    const QString colour = ini.readString(QStringLiteral("colors"), QStringLiteral("cpx1.color"),
                                          QStringLiteral("$0099B8CD"));
    (void)ColourValue::fromText(colour);
    ini.writeInteger(QStringLiteral("LastRecorded"), QStringLiteral("km"), 1234);
    const QByteArray out = ini.toBytes();
    IniFile again(out);
    if (again.readInteger(QStringLiteral("LastRecorded"), QStringLiteral("km"), 0) != 1234)
        __builtin_trap();
    return 0;
}
