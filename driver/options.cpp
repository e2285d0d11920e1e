#include "driver/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>
#include <regex>

#include "report/quoting.h"
#include "support/translation.h"

namespace {

// The version is the project's, from the build.
const char* const VERSION = "loopcost " LOOPCOST_VERSION;

std::string checkPrices(const std::string& text) {
  std::string problem;
  return parsePrices(text, problem) ? "" : problem;
}

const std::map<std::string, Options::Format> FORMATS = {{"text", Options::Format::text},
                                                        {"json", Options::Format::json}};
const std::map<std::string, Encoding> ENCODINGS = {
    {"big5", Encoding::big5}, {"utf-8", Encoding::utf8}, {"auto", Encoding::automatic}};

template <typename Value>
CLI::Validator oneOf(const std::map<std::string, Value>& choices) {
  return CLI::Validator(
      [&choices](const std::string& name) {
        if (choices.count(name) != 0) return std::string();
        std::string known;
        for (const auto& choice : choices) known += (known.empty() ? "" : tr(", ")) + choice.first;
        return fill(tr("'%s' is not one of %s"), {name, known});
      },
      "");
}

// The options' texts as typed, before they are turned into Options. A format or an encoding
// given twice is an error that names the option, so every value given is kept.
struct Texts {
  std::vector<std::string> reference;
  bool help = false;
  bool version = false;
  std::vector<std::string> cpus;
  std::vector<std::string> format;
  std::vector<std::string> encoding;
};

void describe(CLI::App& app, Options& options, Texts& names) {
  app.description(
      tr("Echo each program of the loop language normalised and print its running time as a "
         "polynomial in n under each CPU cost model: CPU1(2,4) and CPU2(1,5) unless --cpu gives "
         "others. Without FILE, ask for file names on standard input."));
  app.footer(
      fill(tr("Example:\n  %s"), {"loopcost --cpu 3,7 --cpu 1,1 examples/linear_search.txt"}));
  const auto formatter = app.get_formatter();
  formatter->label("Usage", tr("Usage"));
  formatter->label("OPTIONS", tr("OPTIONS"));
  formatter->label("Positionals", tr("Positionals"));
  app.option_defaults()->group(tr("Options"));
  // Help and version are flags like the others, so that an unknown option beside them is still
  // a usage error.
  app.set_help_flag();
  app.add_flag("-h,--help", names.help, tr("Print this help message and exit"));
  app.add_flag("-V,--version", names.version, tr("Print the version and exit"));
  app.add_option("FILE", options.files, tr("Program files to analyse; - is standard input"))
      ->type_name("");
  app.add_option("-c,--cpu", names.cpus,
                 tr("A cost model ADD,MUL: the price of an addition and of a multiplication; "
                    "repeat for more models (default: 2,4 and 1,5)"))
      ->check(CLI::Validator(checkPrices, ""))
      ->type_name("ADD,MUL")
      ->take_all()
      ->allow_extra_args(false);
  app.add_option("-f,--format", names.format, tr("Output format: text or json (json needs FILE)"))
      ->check(oneOf(FORMATS))
      ->type_name("FORMAT")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->allow_extra_args(false);
  app.add_option("-e,--encoding", names.encoding,
                 tr("Encoding of the prompt and labels: big5, utf-8 or auto (default: utf-8 on a "
                    "UTF-8 terminal, else big5)"))
      ->check(oneOf(ENCODINGS))
      ->type_name("ENCODING")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->allow_extra_args(false);
  app.add_flag("-x,--explain", options.explain,
               tr("Show runs, operations and costs per line, growth, and which model is cheapest"));
  app.add_flag("--compare", options.compare,
               tr("Compare the programs of two or more FILEs: which is cheapest for which n, under "
                  "each model"));
  app.add_flag("--summary", options.summary,
               tr("One line per FILE instead of its report: whether it parsed, its growth and its "
                  "exact cost under each model"));
  app.add_option("--reference", names.reference,
                 tr("Grade each FILE against the program REF instead of writing its report: how "
                    "it grows and for which n it is cheaper, under each model"))
      ->type_name("REF")
      ->expected(1)
      ->allow_extra_args(false);
  app.add_flag("--lsp", options.lsp,
               tr("Serve the Language Server Protocol on standard input and output, for editors; "
                  "--cpu gives the models until the editor's settings name others"));
}

// What CLI11 found wrong, in the user's language where we know its form.
std::string parseProblem(const CLI::ParseError& error, const CLI::App& app) {
  std::smatch parts;
  const std::string what = error.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
    std::string extras;
    for (const std::string& extra : app.remaining()) extras += (extras.empty() ? "" : " ") + extra;
    return fill(app.remaining().size() == 1 ? tr("The following argument was not expected: %s")
                                            : tr("The following arguments were not expected: %s"),
                {extras});
  }
  if (std::regex_match(what, parts, std::regex("(\\S+): 1 required (\\S+) missing"))) {
    return fill(tr("%s needs a value: %s"), {parts[1], parts[2]});
  }
  if (std::regex_match(what, parts, std::regex("Could not convert: (\\S+) = (.*)"))) {
    return fill(tr("%s: '%s' is not true or false"), {parts[1], visibleName(parts[2])});
  }
  return what;
}

// What is wrong with the options taken together, if anything.
std::optional<std::string> conflict(const Options& options, const Texts& names) {
  for (const auto& [option, values] :
       {std::make_pair("--format", names.format), std::make_pair("--encoding", names.encoding),
        std::make_pair("--reference", names.reference)}) {
    if (values.size() > 1) {
      return fill(tr("%s is given %s times; give it once"),
                  {option, std::to_string(values.size())});
    }
  }
  if (options.lsp && (!options.files.empty() || options.reference)) {
    return std::string(tr("--lsp takes no FILE: the editor sends the programs"));
  }
  if (options.compare && options.files.size() < 2) {
    return std::string(tr("--compare needs two or more FILEs to compare"));
  }
  std::vector<std::string> files = options.files;
  std::sort(files.begin(), files.end());
  const auto twice = std::adjacent_find(files.begin(), files.end());
  if (options.compare && twice != files.end() && *twice != "-") {
    return fill(tr("--compare: '%s' is named twice; name each program once"),
                {visibleName(*twice)});
  }
  if (std::count(files.begin(), files.end(), "-") + (options.reference == "-") > 1) {
    return std::string(tr("- (standard input) is named more than once; it can be read only once"));
  }
  if (options.files.empty() &&
      (options.format == Options::Format::json || options.summary || options.reference)) {
    return fill(tr("%s needs FILE arguments (or - for standard input)"),
                {options.format == Options::Format::json ? "--format=json"
                 : options.summary                       ? "--summary"
                                                         : "--reference"});
  }
  return std::nullopt;
}

// A model with the prices of one before it is kept, as scripts may count on it, but said.
void warnOfRepeats(const std::vector<CostModel>& models, std::ostream& err) {
  for (std::size_t later = 0; later < models.size(); ++later) {
    for (std::size_t earlier = 0; earlier < later; ++earlier) {
      if (models[earlier].addition.text() == models[later].addition.text() &&
          models[earlier].multiplication.text() == models[later].multiplication.text()) {
        err << "loopcost: "
            << fill(tr("warning: model %s repeats %s"), {models[later].name, models[earlier].name})
            << std::endl;
        break;
      }
    }
  }
}

int usageError(std::ostream& err, const std::string& what) {
  err << "loopcost: " << what << '\n' << tr("Try 'loopcost --help' for more information.") << '\n';
  return 2;
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const argv[], std::ostream& out,
                             std::ostream& err) {
  CLI::App app("", "loopcost");
  Options options;
  Texts names;
  describe(app, options, names);
  // "--format=" would take the next argument as its value.
  for (int i = 1; i < argc && std::string(argv[i]) != "--"; ++i) {
    const std::string argument = argv[i];
    if (argument.size() > 3 && argument.rfind("--", 0) == 0 && argument.back() == '=') {
      return {std::nullopt, usageError(err, fill(tr("%s: '' is empty; give a value"),
                                                 {argument.substr(0, argument.size() - 1)}))};
    }
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return {std::nullopt, usageError(err, parseProblem(error, app))};
  }
  if (names.help || names.version) {
    out << (names.help ? app.help() : std::string(VERSION) + "\n");
    return {std::nullopt, 0};
  }
  options.format = names.format.empty() ? Options::Format::text : FORMATS.at(names.format[0]);
  options.encoding = names.encoding.empty() ? Encoding::automatic : ENCODINGS.at(names.encoding[0]);
  if (!names.reference.empty()) options.reference = names.reference.back();
  if (const auto problem = conflict(options, names))
    return {std::nullopt, usageError(err, *problem)};
  std::string problem;
  options.models = *modelsFrom(names.cpus, problem);
  warnOfRepeats(options.models, err);
  return {std::move(options), 0};
}
