#include "format_error.h"

namespace jigsaw {

namespace {

struct CodeInfo {
    std::string_view name;
    std::size_t arguments;
};

constexpr CodeInfo kCodeInfo[] = {
#define JIGSAW_ERROR_INFO(name, args) {#name, args},
    JIGSAW_ERROR_CODES(JIGSAW_ERROR_INFO)
#undef JIGSAW_ERROR_INFO
};

std::string diagnostic(ErrorCode code, const std::vector<std::string>& args, const FormatError* cause)
{
    std::string text(errorCodeName(code));
    if (!args.empty()) {
        text += '(';
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (i > 0)
                text += ", ";
            text += args[i];
        }
        text += ')';
    }
    if (cause) {
        text += ": ";
        text += cause->what();
    }
    return text;
}

std::vector<std::string> texts(std::initializer_list<ErrorArgument> args)
{
    std::vector<std::string> out;
    out.reserve(args.size());
    for (const ErrorArgument& a : args)
        out.push_back(a.text);
    return out;
}

}  // namespace

std::string_view errorCodeName(ErrorCode code)
{
    return kCodeInfo[static_cast<std::size_t>(code)].name;
}

std::size_t errorArgumentCount(ErrorCode code)
{
    return kCodeInfo[static_cast<std::size_t>(code)].arguments;
}

FormatError::FormatError(ErrorCode code, std::initializer_list<ErrorArgument> args)
    : FormatError(code, texts(args), nullptr)
{
}

FormatError::FormatError(ErrorCode code, std::initializer_list<ErrorArgument> args, const FormatError& cause)
    : FormatError(code, texts(args), std::make_shared<const FormatError>(cause))
{
}

FormatError::FormatError(ErrorCode code, std::vector<std::string> args, std::shared_ptr<const FormatError> cause)
    : std::runtime_error(diagnostic(code, args, cause.get())),
      code_(code),
      args_(std::move(args)),
      cause_(std::move(cause))
{
}

}  // namespace jigsaw
