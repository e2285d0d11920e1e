#pragma once

#include <cstddef>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>

#include "source/lineindex.h"

// JSON-RPC's and the protocol's error codes.
namespace ErrorCode {
constexpr int PARSE_ERROR = -32700;
constexpr int INVALID_REQUEST = -32600;
constexpr int METHOD_NOT_FOUND = -32601;
constexpr int INVALID_PARAMS = -32602;
constexpr int INTERNAL_ERROR = -32603;
constexpr int SERVER_NOT_INITIALIZED = -32002;
constexpr int REQUEST_CANCELLED = -32800;
constexpr int REQUEST_FAILED = -32803;
}  // namespace ErrorCode

// What a request is answered with: its result, or an error with its code. A long result is
// written as JSON text at once: a document's lenses would otherwise be built, copied and
// destroyed as thousands of JSON values.
struct Reply {
  Reply(nlohmann::json result) : result(std::move(result)) {}  // NOLINT: a result is a reply
  static Reply text(std::string json) {
    Reply reply(nullptr);
    reply.resultText = std::move(json);
    return reply;
  }
  static Reply error(int code, std::string message) {
    Reply reply(nullptr);
    reply.code = code;
    reply.message = std::move(message);
    return reply;
  }

  nlohmann::json result;
  std::string resultText;  // the result as JSON text, if not empty
  int code = 0;            // 0: no error
  std::string message;
};

// The parts of a message's params, read without throwing: none where a part is missing or is
// not of its type. A number that stands for a line or a character must be a whole number from 0
// to 2^31 - 1, as the protocol's uinteger is.
const nlohmann::json* memberAt(const nlohmann::json& object, const char* key);
const nlohmann::json* pathIn(const nlohmann::json& object, std::initializer_list<const char*> keys);
std::optional<std::string> stringAt(const nlohmann::json& object, const char* key);
std::optional<std::size_t> uintegerAt(const nlohmann::json& object, const char* key);
std::optional<LineIndex::Position> positionAt(const nlohmann::json& object, const char* key);
std::optional<std::pair<LineIndex::Position, LineIndex::Position>> rangeAt(
    const nlohmann::json& object, const char* key);
std::optional<std::string> uriOf(const nlohmann::json& params);  // params.textDocument.uri

// A position and a range as the protocol writes them.
nlohmann::json positionJson(const LineIndex::Position& position);
nlohmann::json rangeJson(const LineIndex& lines, std::size_t from, std::size_t to);

// The text of a message: nlohmann's dump, bytes that are not UTF-8 replaced.
std::string messageText(const nlohmann::json& message);

// Replaces each lone UTF-16 surrogate in a message's text, escaped ("\ud800") or encoded as UTF-8
// bytes, with U+FFFD, which a client counts as one unit too; returns how many there were.
std::size_t replaceLoneSurrogates(std::string& content);
