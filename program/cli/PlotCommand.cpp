// kelp-collector plot: a graph of data files as a PNG, SVG or PDF picture,
// drawn by the windows' own graph code.
//
// Ahead of every Qt header: it names a variable `slots`, which Qt's headers
// define as a macro.
#include "app/GraphSettings.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include "app/SettingsStore.h"
#include "data/Catalogue.h"
#include "data/MeasDataSet.h"
#include "program/CollectorApp.h"
#include "program/cli/Arguments.h"
#include "program/cli/CliTexts.h"
#include "program/cli/CommandSupport.h"
#include "program/cli/ComponentNames.h"
#include "program/cli/Console.h"
#include "program/cli/ExitStatus.h"
#include "program/cli/InputFiles.h"
#include "program/cli/PlotCasts.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "ui/graphs/DepthGraph.h"
#include "ui/graphs/GraphPicture.h"
#include "ui/graphs/GraphWindowUtil.h"
#include "ui/graphs/TrendGraph.h"
#include "ui/graphs/XYGraph.h"
#include "ui/graphs/XYGraphDlg.h"
#include "ui/main/Fonts.h"

namespace kelp::cli {

namespace {

constexpr CommandOption kTrendOption{"trend"};
constexpr CommandOption kDepthOption{"depth"};
constexpr CommandOption kXYOption{"xy"};
constexpr CommandOption kSizeOption{"size"};
constexpr CommandOption kFormatOption{"format"};

// The main window shows up to three trend panes.
constexpr int kMaxTrendGraphs = 3;
constexpr long long kMinSide = 200;
constexpr long long kMaxSide = 4000;

// `text` split at `separator`, each piece without its outer blanks.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        pieces.push_back(Trim(text.substr(start, end == std::string::npos ? end : end - start)));
        if (end == std::string::npos) {
            return pieces;
        }
        start = end + 1;
    }
}

// "WIDTHxHEIGHT", each side within the limits.
bool ParseSize(const std::string& text, QSize& size) {
    const auto x = text.find_first_of("xX");
    long long width = 0;
    long long height = 0;
    if (x == std::string::npos || !ParseCount(text.substr(0, x), kMaxSide, width) ||
        !ParseCount(text.substr(x + 1), kMaxSide, height) || width < kMinSide || height < kMinSide) {
        return false;
    }
    size = QSize(static_cast<int>(width), static_cast<int>(height));
    return true;
}

// What one plot needs besides its data.
struct PlotRequest {
    CommandContext& context;
    std::vector<std::string> files;
    std::string output;
    PictureFormat format = PictureFormat::Png;
    std::optional<QSize> size;
    std::string settingsPath;
    CComponentNames names;
};

// A picture ready to be drawn: its size, title and drawing.
struct Picture {
    QSize size;
    std::string title;
    std::function<void(QPainter&, const QRect&, const QFont&)> render;
};

// Finds the components named in `texts` (their slots and units), or shows
// why not: kExitOk or kExitUsage.
int FindComponents(PlotRequest& request, const std::vector<std::string>& texts, const CMeasDataSet& data,
                   int excluded, std::vector<NamedComponent>& found) {
    found.clear();
    for (const std::string& text : texts) {
        NamedComponent component;
        std::string error;
        if (!request.names.Find(text, data, request.files.front(), excluded, component, error)) {
            return UsageError(request.context, error);
        }
        found.push_back(component);
    }
    return kExitOk;
}

// The trend graphs of one file, one graph per component, stacked as the
// main window stacks its panes.
int PlanTrend(PlotRequest& request, const CMeasDataSet& data, std::vector<CTrendGraph>& graphs,
              Picture& picture) {
    const std::vector<std::string> texts = Split(request.context.arguments.Value(kTrendOption.name), ',');
    std::vector<NamedComponent> components;
    if (const int status = FindComponents(request, texts, data, kNoElement, components); status != kExitOk) {
        return status;
    }
    const CSettingsStore store(request.settingsPath);
    GraphSlotArray graphSlots = DefaultGraphSlots();
    store.ReadGraphSlots(CSettingsStore::kTrendGraphSection, graphSlots);
    GraphTimeSettings time;
    store.ReadTimeAxis(time);

    graphs.resize(components.size());
    for (std::size_t i = 0; i < components.size(); ++i) {
        const int column = components[i].slot;
        // The first graph slot that shows the column, with its settings;
        // the column's own slot with the defaults when none does.
        int graphSlot = column;
        GraphSlotSettings settings = DefaultGraphSlots()[static_cast<std::size_t>(column)];
        for (std::size_t s = graphSlots.size(); s-- > 0;) {
            if (graphSlots[s].ElmNo == column) {
                graphSlot = static_cast<int>(s);
                settings = graphSlots[s];
            }
        }
        // As the window takes a file over: the unit of the first record, and
        // a fitted range where the column holds another component than the
        // instrument's.
        AdoptColumn(settings, data.GetCount() > 0 ? data.GetUnit(column, 0) : 0,
                    data.GetElement(column) != SlotElement(column));
        if (components[i].unit >= 0) {
            settings.YUnit = components[i].unit;
        }
        CTrendGraph& graph = graphs[i];
        graph.SetDataSet(&data);
        graph.SetSlot(graphSlot, column, data.GetElement(column), time, settings);
        graph.SetCount(data.GetCount());
    }

    // As the main window keeps its panes: a title line over the stack.
    const int n = static_cast<int>(graphs.size());
    picture.size = QSize(CTrendGraph::kPictureSize.width(),
                         CTrendGraph::kPictureTitleHeight + n * (CTrendGraph::kPictureSize.height() - 1) + 1);
    picture.title = CTrendGraph::PictureTitle(data, NameTail(request.files.front()));
    picture.render = [&graphs, title = picture.title](QPainter& painter, const QRect& rect,
                                                      const QFont& font) {
        std::vector<const CTrendGraph*> stack;
        for (const CTrendGraph& graph : graphs) {
            stack.push_back(&graph);
        }
        CTrendGraph::RenderPicture(painter, rect, font, stack, QString::fromStdString(title));
    };
    return kExitOk;
}

// The X-Y graph of one file: "X" alone, or "X:Y,Y..." with the Y axis
// scaled to the first Y.
int PlanXY(PlotRequest& request, const CMeasDataSet& data, CXYGraph& graph, Picture& picture) {
    const std::string value = request.context.arguments.Value(kXYOption.name);
    const auto colon = value.find(':');
    std::vector<std::string> texts{Trim(value.substr(0, colon))};
    std::vector<std::string> yTexts;
    if (colon != std::string::npos) {
        yTexts = Split(value.substr(colon + 1), ',');
        texts.insert(texts.end(), yTexts.begin(), yTexts.end());
    }
    std::vector<NamedComponent> components;
    if (const int status = FindComponents(request, texts, data, kNoElement, components); status != kExitOk) {
        return status;
    }
    const NamedComponent x = components.front();
    for (std::size_t i = 1; i < components.size(); ++i) {
        if (components[i].slot == x.slot) {
            return UsageError(request.context, Fill(IDS_CLI_PLOT_X_AS_Y, {texts[i]}));
        }
    }

    graph.SetData(&data);
    CSettingsStore(request.settingsPath).ReadGraphSlots(CXYGraphDlg::kSettingsSection, graph.Settings());
    graph.ResetSlots();
    graph.ChooseXSlot(x.slot);
    if (components.size() > 1) {
        for (int k = 0; k < CXYGraph::kSlots; ++k) {
            graph.SetChecked(k, false);
        }
        for (std::size_t i = 1; i < components.size(); ++i) {
            graph.SetChecked(components[i].slot, true);
        }
        graph.SetYScaleSlot(components[1].slot);
        // The second component named gets the axis on the right.
        if (components.size() > 2) {
            graph.SetRightAxisSlot(components[2].slot);
        }
    }
    for (const NamedComponent& c : components) {
        if (c.unit >= 0) {
            graph.Settings()[static_cast<std::size_t>(c.slot)].YUnit = c.unit;
        }
    }
    if (WantsCasts(request.context)) {
        if (const int status = SetCastPieces(request.context, request.files.front(), data, graph);
            status != kExitOk) {
            return status;
        }
    }
    graph.ComputeRanges();

    picture.size = CXYGraph::kPictureSize;
    picture.title = CaptionWithName(IDS_XY_GRAPH_TITLE, request.files.front());
    picture.render = [&graph, title = picture.title](QPainter& painter, const QRect& rect,
                                                     const QFont& font) {
        graph.Render(painter, rect, font, QString::fromStdString(title));
    };
    return kExitOk;
}

// Every file a column of the depth graph: the files are read one by one
// into `scratch` and copied into the graph, as the window adds them.
int AddFileSeries(PlotRequest& request, CMeasDataSet& scratch, CDepthGraph& graph) {
    for (const std::string& path : request.files) {
        if (const int status = LoadInput(request.context, path, scratch); status != kExitOk) {
            return status;
        }
        scratch.SetName(path);
        switch (graph.AddSeries(scratch)) {
            case CDepthGraph::AddResult::Added:
                break;
            case CDepthGraph::AddResult::NoMemory:
                // Cannot be told apart from a file too large to hold.
                request.context.console.Message(path + ": " + LoadText(IDS_MEMORY_FAILED));
                return kExitBadInput;
            default:
                request.context.console.Message(path + ": " + LoadText(IDS_NO_DEPTH) + "\n" +
                                                Fill(IDS_CLI_PLOT_NO_DEPTH_HINT, {path}));
                return kExitBadInput;
        }
    }
    return kExitOk;
}

// The depth graph of every file, or of the casts of one, each a column.
int PlanDepth(PlotRequest& request, CMeasDataSet& scratch, CDepthGraph& graph, Picture& picture) {
    const int added = WantsCasts(request.context)
                          ? AddCastSeries(request.context, request.files.front(), scratch, graph)
                          : AddFileSeries(request, scratch, graph);
    if (added != kExitOk) {
        return added;
    }
    // The component is one of the first file's, as the window's list offers.
    const CMeasDataSet& first = graph.Series(0).data;
    std::vector<NamedComponent> components;
    const std::vector<std::string> texts{request.context.arguments.Value(kDepthOption.name)};
    if (const int status = FindComponents(request, texts, first, kDepthElement, components);
        status != kExitOk) {
        return status;
    }
    // The units of the first record, as the window remembers them.
    CDepthGraph::Choice choice = graph.DefaultChoice();
    const int slot = components.front().slot;
    choice.element = first.GetElement(slot);
    choice.unit = components.front().unit >= 0
                      ? components.front().unit
                      : CDepthGraph::FittedUnit(choice.element, first.GetUnit(slot, 0));
    graph.Select(choice.element, choice.unit, choice.depthUnit);

    picture.size = CDepthGraph::kPictureSize;
    picture.title = graph.PictureTitle();
    picture.render = [&graph, title = picture.title](QPainter& painter, const QRect& rect,
                                                     const QFont& font) {
        graph.Render(painter, rect, font, QString::fromStdString(title));
    };
    return kExitOk;
}

// Writes a picture's `bytes` to standard output: kExitOk, or
// kExitWriteFailed, quietly when the reader has stopped reading.
int WriteToStandardOutput(CommandContext& context, const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        context.console.Message(LoadText(IDS_PICTURE_SAVE_FAILED));
        return kExitWriteFailed;
    }
    if (!WriteStandardOutput(bytes.toStdString())) {
        return StandardOutputFailed(context);
    }
    context.console.Note(Fill(IDS_CLI_PLOTTED, {ShownName(kStandardStream, true)}));
    return kExitOk;
}

// Draws the picture and writes it. Qt's offscreen platform is asked for
// here rather than through the environment: fonts and painters need a
// QGuiApplication, a display is never needed.
int Draw(PlotRequest& request, const Picture& picture) {
    // Qt's own remarks (no runtime folder under cron, say) are nothing the
    // user can act on: a picture that fails shows in the result.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
        }
    });
    static char name[] = "kelp-collector";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    static int argc = 3;
    const QGuiApplication application(argc, argv);
    const QFont font = ProgramFont();
    const QString title = QString::fromStdString(picture.title);
    const PictureRenderer render = [&](QPainter& painter, const QRect& rect) {
        picture.render(painter, rect, font);
    };
    const QSize size = request.size.value_or(picture.size);
    if (request.output == kStandardStream) {
        return WriteToStandardOutput(request.context, PictureBytes(request.format, size, title, render));
    }
    if (!SavePicture(request.output, request.format, size, title, render)) {
        request.context.console.Message(LoadText(IDS_PICTURE_SAVE_FAILED) + "\n" +
                                        Fill(IDS_CLI_WRITE_HINT, {request.output}));
        return kExitWriteFailed;
    }
    request.context.console.Note(Fill(IDS_CLI_PLOTTED, {request.output}));
    return kExitOk;
}

int RunPlotCommand(CommandContext& context) {
    const CArguments& arguments = context.arguments;
    std::vector<const CommandOption*> kinds;
    for (const CommandOption* kind : {&kTrendOption, &kDepthOption, &kXYOption}) {
        if (arguments.Has(kind->name)) {
            kinds.push_back(kind);
        }
    }
    if (kinds.size() != 1) {
        return UsageError(context, LoadText(IDS_CLI_PLOT_KIND));
    }
    const CommandOption* kind = kinds.front();
    const std::string option = std::string("--") + kind->name;

    PlotRequest request{context,
                        arguments.Operands(),
                        arguments.Value(kOutputOption.name),
                        PictureFormat::Png,
                        std::nullopt,
                        {},
                        CComponentNames(CCollectorApp::EnglishTextFile(context.programPath))};
    if (request.files.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_INPUT));
    }
    if (WantsCasts(context)) {
        if (const int status = CheckCastPlot(context, kind != &kTrendOption, request.files.size());
            status != kExitOk) {
            return status;
        }
    }
    if (kind != &kDepthOption && request.files.size() > 1) {
        return UsageError(context, Fill(IDS_CLI_PLOT_ONE_FILE, {option}));
    }
    if (request.files.size() > static_cast<std::size_t>(kDepthMaxSeries)) {
        return UsageError(context, LoadText(IDS_CLI_PLOT_TOO_MANY_FILES));
    }
    if (kind == &kTrendOption && Split(arguments.Value(kind->name), ',').size() > kMaxTrendGraphs) {
        return UsageError(context, LoadText(IDS_CLI_PLOT_TOO_MANY_TRENDS));
    }
    if (request.output.empty()) {
        return UsageError(context, LoadText(IDS_CLI_NO_OUTPUT));
    }
    // --format, or else the extension; standard output takes PNG unless
    // told otherwise.
    if (arguments.Has(kFormatOption.name)) {
        const std::string name = arguments.Value(kFormatOption.name);
        const std::optional<PictureFormat> format = PictureFormatOf("picture." + name);
        if (!format || name.find('.') != std::string::npos) {
            return UsageError(context, Fill(IDS_CLI_BAD_VALUE, {"--format", name}) + "\n" +
                                           LoadText(IDS_CLI_PLOT_FORMAT_HINT));
        }
        request.format = *format;
    } else if (request.output != kStandardStream) {
        const std::optional<PictureFormat> format = PictureFormatOf(request.output);
        if (!format) {
            return UsageError(context, Fill(IDS_CLI_PLOT_FORMAT, {request.output}));
        }
        request.format = *format;
    }
    if (arguments.Has(kSizeOption.name)) {
        QSize size;
        if (!ParseSize(arguments.Value(kSizeOption.name), size)) {
            return UsageError(context,
                              Fill(IDS_CLI_BAD_VALUE, {"--size", arguments.Value(kSizeOption.name)}) + "\n" +
                                  LoadText(IDS_CLI_PLOT_SIZE_HINT));
        }
        request.size = size;
    }
    bool settingsFound = true;
    request.settingsPath = SettingsPath(context, settingsFound);
    if (!settingsFound) {
        return UsageError(context, SettingsFailureText(request.settingsPath));
    }
    std::vector<std::string> inputs = request.files;
    inputs.push_back(request.settingsPath);
    if (const int refused = RefuseOutputOverInput(context, request.output, inputs); refused != kExitOk) {
        return refused;
    }

    // Everything the picture draws from lives until it is written.
    CMeasDataSet data;
    std::vector<CTrendGraph> trend;
    CXYGraph xy;
    CDepthGraph depth;
    Picture picture;
    int status = kExitOk;
    if (kind == &kDepthOption) {
        status = PlanDepth(request, data, depth, picture);
    } else {
        status = LoadInput(context, request.files.front(), data);
        data.SetName(request.files.front());
        if (status == kExitOk) {
            status = kind == &kTrendOption ? PlanTrend(request, data, trend, picture)
                                           : PlanXY(request, data, xy, picture);
        }
    }
    return status == kExitOk ? Draw(request, picture) : status;
}

const CSubcommandRegistration kPlot({
    .name = "plot",
    .order = 50,
    .summaryId = IDS_CLI_SUMMARY_PLOT,
    .helpId = IDS_CLI_HELP_PLOT,
    .options = WithPlotCastOptions({kOutputOption, kTrendOption, kDepthOption, kXYOption, kSizeOption,
                                    kFormatOption}),
    .run = RunPlotCommand,
});

}  // namespace

}  // namespace kelp::cli
