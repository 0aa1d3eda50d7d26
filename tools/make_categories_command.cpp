// plotwell-tool make-categories: turns the readable categories source into the categories file.
#include <cstdio>
#include <string>
#include <vector>

#include "app/categories_source.h"
#include "model/bytes.h"
#include "model/file_commit.h"
#include "tool_command.h"

namespace plotwell::tool {
namespace {

int run_make_categories(const std::vector<std::string>& args) {
    if (args.size() != 2)
        return fail(kExitUsage, "make-categories needs SOURCE.txt and OUT.tpc (see --help)");
    std::vector<uint8_t> text;
    if (!read_whole_file(args[0], text, size_t(1) << 24)) return fail(kExitFailure, "cannot read " + args[0]);
    CategoriesSource source;
    if (const Result parsed = parse_categories_source(
            std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), source);
        !parsed.ok)
        return fail(kExitFailure, args[0] + ": " + parsed.message);
    std::vector<uint8_t> bytes;
    if (const Result encoded = encode_categories(source, bytes); !encoded.ok)
        return fail(kExitFailure, args[0] + ": " + encoded.message);
    if (!commit_file(args[1], bytes)) return fail(kExitFailure, "cannot write " + args[1]);
    std::printf("%s: %zu categories, %zu icons, %zu bytes\n", args[1].c_str(), source.categories.size(),
                source.icons.size(), bytes.size());
    return kExitOk;
}

const CommandRegistration reg{{
    "make-categories",
    "make a categories file (.tpc) from its readable source",
    "usage: plotwell-tool make-categories SOURCE.txt OUT.tpc\n"
    "\n"
    "Writes the categories file OUT.tpc from the source text SOURCE.txt, one statement a line\n"
    "('#' starts a comment line):\n"
    "  icons 8          icon size, 8 or 12, before any icon\n"
    "  category NAME    a category (at most 12, names up to 31 characters)\n"
    "  sub-type NAME    a sub-type of the category above (at most 32, up to 35 characters)\n"
    "  icon             the next 8 (or 12) lines draw an icon with '#' and '.'\n",
    run_make_categories,
}};

}  // namespace
}  // namespace plotwell::tool
