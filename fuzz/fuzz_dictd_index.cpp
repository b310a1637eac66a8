// The dictd .index reader, the dictzip header reader, a DICT server's reply
// and the answer text conversion get arbitrary bytes: none may crash or read out of bounds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictd/bridge_service.h"
#include "dictd/dict_data.h"
#include "dictd/dict_protocol.h"
#include "dictd/dictd_index.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const kelmio::dictd::CDictdIndex index(bytes);
    const std::size_t tab = bytes.find('\t');
    const std::string word = bytes.substr(0, tab == std::string::npos ? 8 : tab);
    for (const auto& entry : index.Find(word)) {
        if (entry.headword != word) __builtin_trap();
    }
    (void)kelmio::dictd::ParseDictzipHeader(bytes);
    (void)kelmio::dictd::ParseDefineReply(bytes);
    kelmio::dictd::LookupResult result;
    result.definitions.push_back(bytes);
    const std::string answer = kelmio::dictd::AnswerText(result);
    if (answer.find('\0') != std::string::npos) __builtin_trap();
    return 0;
}
