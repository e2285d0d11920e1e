#include "driver/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>

#include "driver/help.h"
#include "report/quoting.h"
#include "report/wording.h"

namespace {

// The version is the project's, from the build.
const char* const VERSION = "loopcost " LOOPCOST_VERSION;

const std::map<std::string, Options::Format> FORMATS = {{"text", Options::Format::text},
                                                        {"json", Options::Format::json}};
const std::map<std::string, Dialect>& DIALECTS = dialectNames();
const std::map<std::string, std::optional<Encoding>> ENCODINGS = {
    {"big5", Encoding::big5}, {"utf-8", Encoding::utf8}, {"auto", std::nullopt}};

template <typename Value>
CLI::Validator oneOf(const std::map<std::string, Value>& choices, const Words& words) {
  return CLI::Validator(
      [&choices, words](const std::string& name) {
        if (choices.count(name) != 0) return std::string();
        std::string known;
        for (const auto& choice : choices) {
          known += (known.empty() ? "" : words.tr(", ")) + choice.first;
        }
        return fill(words.tr("'%s' is not one of %s"), {visibleName(name), known});
      },
      "");
}

// The options' texts as typed, before they are turned into Options. An option that takes one
// value, given twice, is an error that names the option, so every value given is kept.
struct Names {
  std::vector<std::string> reference;
  bool help = false;
  bool version = false;
  std::vector<std::string> cpus;
  std::vector<std::string> format;
  std::vector<std::string> encoding;
  std::vector<std::string> dialect;
};

// "2,4 and 1,5": the default models' prices.
std::string defaultPrices(const Words& words) {
  std::vector<std::string> prices;
  for (const CostModel& model : defaultModels()) {
    prices.push_back(model.addition.text() + "," + model.multiplication.text());
  }
  return listed(prices, words);
}

// An option that takes one value, its texts kept in `values`.
CLI::Option* valued(CLI::App& app, const char* names, std::vector<std::string>& values,
                    const char* value, const std::string& description) {
  return app.add_option(names, values, description)
      ->type_name(value)
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->allow_extra_args(false);
}

void describe(CLI::App& app, Options& options, Names& names, const Words& words) {
  app.description(fill(
      words.tr("Echo each program of the loop language normalised and print its running time as "
               "a polynomial in n under each CPU cost model: %s unless --cpu gives others. "
               "Without FILE, ask for file names on standard input."),
      {listed(modelNames(defaultModels()), words)}));
  app.footer(fill(words.tr("Example:\n  %s"),
                  {"loopcost --cpu 3,7 --cpu 1,1 examples/linear_search.txt"}));
  // Help and version are flags like the others, so that an unknown option beside them is still
  // a usage error.
  app.set_help_flag();
  app.add_flag("-h,--help", names.help, words.tr("Print this help and exit"));
  app.add_flag("-V,--version", names.version, words.tr("Print the version and exit"));
  app.add_option("-c,--cpu", names.cpus,
                 fill(words.tr("A cost model: the price of an addition and of a multiplication; "
                               "repeat it for more models (default: %s)"),
                      {defaultPrices(words)}))
      ->check(CLI::Validator(
          [words](const std::string& text) {
            PricesFault fault;
            return parsePrices(text, fault) ? "" : pricesProblem(fault, words);
          },
          ""))
      ->type_name(N_("ADD,MUL"))
      ->take_all()
      ->allow_extra_args(false);
  valued(app, "-f,--format", names.format, N_("FORMAT"),
         words.tr("Output format: text or json (json needs FILE)"))
      ->check(oneOf(FORMATS, words));
  valued(app, "-e,--encoding", names.encoding, N_("ENCODING"),
         words.tr("Encoding of the text output: big5, utf-8 or auto (default: utf-8 on a UTF-8 "
                  "terminal, else big5)"))
      ->check(oneOf(ENCODINGS, words));
  valued(app, "--dialect", names.dialect, N_("DIALECT"),
         words.tr("Language of the programs: classic (LOOP n, LOOP 5) or extended (LOOP n - 1, "
                  "LOOP i = 1 TO n, ...); default: classic"))
      ->check(oneOf(DIALECTS, words));
  app.add_flag("-x,--explain", options.explain,
               words.tr("Show runs, operations and costs per line, growth, and which model is "
                        "cheapest"));
  app.add_flag("--compare", options.compare,
               words.tr("Compare the programs of two or more FILEs: which is cheapest for which "
                        "n, under each model"));
  app.add_flag("--summary", options.summary,
               words.tr("One line per FILE instead of its report: whether it parsed, its growth "
                        "and its exact cost under each model"));
  valued(app, "--reference", names.reference, N_("REF"),
         words.tr("Grade each FILE against the program REF instead of writing its report: how "
                  "it grows and for which n it is cheaper, under each model"));
  app.add_flag("--lsp", options.lsp,
               words.tr("Serve the Language Server Protocol on standard input and output, for "
                        "editors; --cpu gives the models until the editor's settings name others"));
  app.add_option(N_("FILE"), options.files,
                 words.tr("Program files to analyse; - is standard input"));
}

// What CLI11 found wrong, in the user's words: each error it can raise here has its own message,
// and whatever else it says is introduced as what it is.
std::string parseProblem(const CLI::ParseError& error, const CLI::App& app, const Words& words) {
  std::smatch parts;
  const std::string what = error.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
    std::string extras;
    for (const std::string& extra : app.remaining()) {
      extras += (extras.empty() ? "" : " ") + visibleName(extra);
    }
    return fill(words.trn("The following argument was not expected: %s",
                          "The following arguments were not expected: %s", app.remaining().size()),
                {extras});
  }
  if (std::regex_match(what, parts, std::regex("(\\S+): 1 required (\\S+) missing"))) {
    return fill(words.tr("%s needs a value: %s"), {parts[1], words.tr(parts[2].str().c_str())});
  }
  if (std::regex_match(what, parts, std::regex("Could not convert: (\\S+) = (.*)"))) {
    return fill(words.tr("%s: '%s' is not true or false"), {parts[1], visibleName(parts[2])});
  }
  if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr &&
      std::regex_match(what, parts, std::regex("(\\S+): (.*)"))) {
    return fill(words.tr("%s: %s"), {parts[1], parts[2]});
  }
  return fill(words.tr("the command line could not be read: %s"), {visibleName(what)});
}

// An option that another one would override or ignore, and why they cannot go together. (With
// --format=json, --explain adds nothing, as each entry holds the lines' counts; scripts may
// give both.)
std::optional<std::string> overridden(const Options& options, const Names& names,
                                      const Words& words) {
  const bool json = options.format == Options::Format::json;
  if (options.lsp) {
    for (const auto& [given, option] : {std::make_pair(options.explain, "--explain"),
                                        std::make_pair(options.compare, "--compare"),
                                        std::make_pair(options.summary, "--summary"),
                                        std::make_pair(!names.format.empty(), "--format"),
                                        std::make_pair(!names.encoding.empty(), "--encoding")}) {
      if (given) return fill(words.tr("%s is for the command line, not for --lsp"), {option});
    }
  }
  const char* replacing = options.summary     ? "--summary"
                          : options.reference ? "--reference"
                                              : nullptr;
  if (options.explain && replacing && !json) {
    return fill(words.tr("--explain adds to each file's report, which %s does not write"),
                {replacing});
  }
  if (options.summary && json) {
    return std::string(words.tr(
        "--summary writes a table of text; --format=json gives each file's entry, which holds "
        "what the table says"));
  }
  return std::nullopt;
}

// A FILE such as "1,1" that is no file but a model, as after "--cpu 3,7 1,1".
std::optional<std::string> modelAsFile(const Options& options, const Words& words) {
  for (const std::string& file : options.files) {
    PricesFault fault;
    std::error_code ignored;
    if (parsePrices(file, fault) && !std::filesystem::exists(file, ignored)) {
      return fill(words.tr("'%s' is no file but a model: give each model with its own --cpu, as "
                           "--cpu %s"),
                  {visibleName(file), visibleName(file)});
    }
  }
  return std::nullopt;
}

// What is wrong with the options taken together, if anything.
std::optional<std::string> conflict(const Options& options, const Names& names,
                                    const Words& words) {
  for (const auto& [option, values] :
       {std::make_pair("--format", names.format), std::make_pair("--encoding", names.encoding),
        std::make_pair("--reference", names.reference),
        std::make_pair("--dialect", names.dialect)}) {
    if (values.size() > 1) {
      return fill(words.tr("%s is given %s times; give it once"),
                  {option, std::to_string(values.size())});
    }
    if (!values.empty() && values[0].empty()) {
      return fill(words.tr("%s: '' is empty; give a value"), {option});
    }
  }
  if (const auto problem = overridden(options, names, words)) return problem;
  if (const auto problem = modelAsFile(options, words)) return problem;
  if (options.lsp && (!options.files.empty() || options.reference)) {
    return std::string(words.tr("--lsp takes no FILE: the editor sends the programs"));
  }
  if (options.compare && options.files.size() < 2) {
    return std::string(words.tr("--compare needs two or more FILEs to compare"));
  }
  std::vector<std::string> files = options.files;
  std::sort(files.begin(), files.end());
  const auto twice = std::adjacent_find(files.begin(), files.end());
  if (options.compare && twice != files.end() && *twice != "-") {
    return fill(words.tr("--compare: '%s' is named twice; name each program once"),
                {visibleName(*twice)});
  }
  if (std::count(files.begin(), files.end(), "-") + (options.reference == "-") > 1) {
    return std::string(
        words.tr("- (standard input) is named more than once; it can be read only once"));
  }
  if (options.files.empty() &&
      (options.format == Options::Format::json || options.summary || options.reference)) {
    return fill(words.tr("%s needs FILE arguments (or - for standard input)"),
                {options.format == Options::Format::json ? "--format=json"
                 : options.summary                       ? "--summary"
                                                         : "--reference"});
  }
  return std::nullopt;
}

// A model with the prices of one before it is kept, as scripts may count on it, but said.
std::string repeats(const std::vector<CostModel>& models, const Words& words) {
  std::string warnings;
  for (std::size_t later = 0; later < models.size(); ++later) {
    for (std::size_t earlier = 0; earlier < later; ++earlier) {
      if (models[earlier].addition.text() == models[later].addition.text() &&
          models[earlier].multiplication.text() == models[later].multiplication.text()) {
        warnings += "loopcost: " +
                    fill(words.tr("warning: model %s repeats %s"),
                         {models[later].name, models[earlier].name}) +
                    "\n";
        break;
      }
    }
  }
  return warnings;
}

CommandLine usageError(const std::string& what, const Words& words) {
  return {
      std::nullopt, 2, "",
      "loopcost: " + what + "\n" + words.tr("Try 'loopcost --help' for more information.") + "\n",
      std::nullopt};
}

// "--format=" would take the next argument as its value.
std::optional<std::string> emptyValue(const std::vector<std::string>& arguments,
                                      const CLI::App& app) {
  for (std::size_t i = 1; i < arguments.size() && arguments[i] != "--"; ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() > 3 && argument.rfind("--", 0) == 0 && argument.back() == '=') {
      const std::string option = argument.substr(0, argument.size() - 1);
      if (app.get_option_no_throw(option) != nullptr) return option;
    }
  }
  return std::nullopt;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments, const Words& words,
                             std::size_t helpWidth) {
  CLI::App app("", "loopcost");
  Options options;
  Names names;
  describe(app, options, names, words);
  if (const auto option = emptyValue(arguments, app)) {
    return usageError(fill(words.tr("%s: '' is empty; give a value"), {*option}), words);
  }
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& error) {
    return usageError(parseProblem(error, app, words), words);
  }
  if (names.help) return {std::nullopt, 0, helpText(app, words, helpWidth), "", std::nullopt};
  if (names.version) return {std::nullopt, 0, std::string(VERSION) + "\n", "", std::nullopt};
  options.format = names.format.empty() ? Options::Format::text : FORMATS.at(names.format[0]);
  options.encoding = names.encoding.empty() ? std::nullopt : ENCODINGS.at(names.encoding[0]);
  if (!names.reference.empty()) options.reference = names.reference.back();
  if (!names.dialect.empty()) options.dialect = DIALECTS.at(names.dialect[0]);
  if (const auto problem = conflict(options, names, words)) return usageError(*problem, words);
  PricesFault fault;
  options.models = *modelsFrom(names.cpus, fault);
  const std::string warnings = repeats(options.models, words);
  return {std::move(options), 0, "", warnings, std::nullopt};
}

// -e VALUE, -eVALUE, --encoding VALUE and --encoding=VALUE, the last one counting, up to "--";
// short options run together before it ("-xe big5") are flags.
std::optional<Encoding> requestedEncoding(const std::vector<std::string>& arguments) {
  std::optional<Encoding> requested;
  for (std::size_t i = 1; i < arguments.size() && arguments[i] != "--"; ++i) {
    const std::string& argument = arguments[i];
    std::optional<std::string> value;
    if (argument.rfind("--encoding=", 0) == 0) {
      value = argument.substr(11);
    } else if (argument == "--encoding" && i + 1 < arguments.size()) {
      value = arguments[++i];
    } else if (argument.size() > 1 && argument[0] == '-' && argument[1] != '-') {
      const std::size_t e = argument.find('e');
      if (e != std::string::npos && e + 1 < argument.size()) value = argument.substr(e + 1);
      if (e != std::string::npos && e + 1 == argument.size() && i + 1 < arguments.size()) {
        value = arguments[++i];
      }
    }
    const auto known = value ? ENCODINGS.find(*value) : ENCODINGS.end();
    if (known != ENCODINGS.end()) requested = known->second;
  }
  return requested;
}
