// The command-line parser: the input is the arguments, separated by NUL bytes.
// A line that parses names only options of its command.
#include "app/command_line.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QStringList arguments;
    for (const QByteArray& argument : fuzz_support::Bytes(data, size).split('\0'))
        arguments << QString::fromUtf8(argument);
    const app::Parsed_Command parsed = app::Parse_Command_Line(arguments);
    if (parsed.help || !parsed.usage_error.isEmpty())
        return 0;
    for (const auto& [name, value] : parsed.options.values) {
        if (!name.startsWith(QStringLiteral("--")) || !arguments.join(QChar(0)).contains(name))
            fuzz_support::Fail("an option that was not given");
    }
    if (parsed.command != QStringLiteral("list") && !parsed.options.words.isEmpty())
        fuzz_support::Fail("free words accepted by a command that takes none");
    return 0;
}
