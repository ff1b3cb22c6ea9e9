#include "save/tests/support/CRecordingServer.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "platform/TextConversion.h"

namespace {

const std::map<std::string, std::set<std::string>>& MembersByType() {
    static const std::map<std::string, std::set<std::string>> members = {
        {"Application", {"Workbooks", "ActiveCell", "ActiveWindow", "Visible", "Quit"}},
        {"Window",
         {"ScrollRow", "ScrollColumn", "SplitRow", "SplitColumn", "SplitVertical",
          "SplitHorizontal", "FreezePanes", "Zoom", "DisplayGridlines", "DisplayHeadings"}},
        {"Workbooks", {"Add"}},
        {"Workbook", {"Worksheets", "Sheets", "SaveAs", "Date1904", "Names", "Colors", "Styles"}},
        {"Styles", {"Item", "Add"}},
        {"Style",
         {"IncludeNumber", "IncludeFont", "IncludeAlignment", "IncludeBorder", "IncludePatterns",
          "IncludeProtection", "NumberFormat", "Font", "Interior", "Borders", "HorizontalAlignment",
          "VerticalAlignment", "WrapText", "Orientation", "IndentLevel", "ShrinkToFit", "Locked",
          "FormulaHidden"}},
        {"Names", {"Add"}},
        {"Worksheets", {"Count"}},
        {"Sheets", {"Add", "Count"}},
        {"Worksheet",
         {"Cells", "Range", "Rows", "Columns", "Select", "Name", "Move", "Names", "Hyperlinks",
          "Visible", "StandardWidth", "StandardHeight"}},
        {"Hyperlinks", {"Add"}},
        {"Hyperlink", {}},
        {"Range",
         {"Select",
          "Address",
          "Value",
          "Formula",
          "FormulaArray",
          "NumberFormat",
          "Font",
          "Interior",
          "Borders",
          "MergeCells",
          "ColumnWidth",
          "RowHeight",
          "AutoFill",
          "AddComment",
          "Validation",
          "FormatConditions",
          "EntireRow",
          "EntireColumn",
          "Hidden",
          "HorizontalAlignment",
          "VerticalAlignment",
          "WrapText",
          "Orientation",
          "IndentLevel",
          "ShrinkToFit",
          "Locked",
          "FormulaHidden",
          "Style"}},
        {"Comment", {"Text", "Author", "Visible", "Delete"}},
        {"FormatConditions", {"Add", "Delete"}},
        {"FormatCondition", {"Font", "Interior", "Borders"}},
        {"Validation",
         {"Add", "IgnoreBlank", "InCellDropdown", "ShowInput", "ShowError", "InputTitle",
          "ErrorTitle", "InputMessage", "ErrorMessage"}},
        {"Font",
         {"Name", "Bold", "Italic", "Underline", "ColorIndex", "Size", "Strikethrough",
          "Superscript", "Subscript"}},
        {"Interior", {"ColorIndex", "Pattern", "PatternColorIndex"}},
        {"Border", {"LineStyle", "ColorIndex"}},
    };
    return members;
}

std::string KindName(std::uint16_t kind) {
    switch (kind) {
        case DISPATCH_METHOD:
            return "method";
        case DISPATCH_PROPERTYGET:
            return "get";
        case DISPATCH_PROPERTYPUT:
            return "put";
        default:
            return "kind" + std::to_string(kind);
    }
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

class CRecordingObject;

std::string Describe(const CVariant& value, CRecordingServer& server);
// A new object of the played class that `label` names, holding one reference.
CRecordingObject* NewObject(std::shared_ptr<CRecordingServer> server, std::string label);

// The played class of an object label: "Range[R1C1]" is a Range.
std::string TypeOfLabel(const std::string& label) {
    std::string type = label.substr(0, label.find('['));
    if (type == "Rows" || type == "Columns") type = "Range";
    return type;
}

class CRecordingObject : public IDispatch {
public:
    CRecordingObject(std::shared_ptr<CRecordingServer> server, std::string label)
        : m_server(std::move(server)), m_label(std::move(label)) {
        const std::size_t bracket = m_label.find('[');
        m_type = TypeOfLabel(m_label);
        if (bracket != std::string::npos) {
            m_inner = m_label.substr(bracket + 1, m_label.size() - bracket - 2);
        }
        m_server->Born();
    }

    const std::string& Label() const { return m_label; }

    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override {
        const std::uint32_t left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

    HRESULT GetIDsOfNames(std::span<const std::u16string_view> names, std::uint32_t locale,
                          std::span<DISPID> ids) override {
        std::string joined;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i > 0) joined += ",";
            joined += ToUtf8(names[i]);
        }
        if (locale != LOCALE_SYSTEM_DEFAULT) joined += " (locale " + std::to_string(locale) + ")";
        m_server->RecordLookup(joined);
        if (names.empty() || ids.size() < names.size()) return E_INVALIDARG;

        const std::string member = ToUtf8(names[0]);
        const auto& known = MembersByType().at(m_type);
        if (!known.count(member) || member == m_server->m_failLookupOf) {
            for (DISPID& id : ids) id = DISPID_UNKNOWN;
            return DISP_E_UNKNOWNNAME;
        }
        ids[0] = Intern(member) + 1;
        for (std::size_t i = 1; i < names.size(); ++i) ids[i] = 1000 + Intern(ToUtf8(names[i]));
        return S_OK;
    }

    HRESULT Invoke(DISPID member, std::uint32_t, std::uint16_t kind, const CDispParams& params,
                   CVariant* result, CExcepInfo* exception, std::uint32_t* argError) override {
        if (member < 1 || static_cast<std::size_t>(member) > Names().size()) {
            return DISP_E_MEMBERNOTFOUND;
        }
        const std::string name = Names()[static_cast<std::size_t>(member) - 1];
        std::vector<std::string> shown;
        std::vector<const CVariant*> positional;
        const bool put = kind == DISPATCH_PROPERTYPUT;
        if (put) {
            // A put names its one value with the property-put id.
            if (params.argCount != 1 || params.namedCount != 1 ||
                params.namedIds[0] != DISPID_PROPERTYPUT) {
                m_server->Record(m_label + "." + name + " put with bad arguments");
                return DISP_E_PARAMNOTFOUND;
            }
            shown.push_back(Describe(params.args[0], *m_server));
        } else {
            for (std::uint32_t i = params.argCount; i > params.namedCount; --i) {
                positional.push_back(&params.args[i - 1]);
                shown.push_back(Describe(params.args[i - 1], *m_server));
            }
            for (std::uint32_t i = 0; i < params.namedCount; ++i) {
                const DISPID id = params.namedIds[i];
                const std::string argName =
                    id >= 1000 ? Names()[static_cast<std::size_t>(id - 1000)] : "?";
                shown.push_back(argName + "=" + Describe(params.args[i], *m_server));
            }
        }
        std::string line = m_label + "." + name + " " + KindName(kind) + "(";
        for (std::size_t i = 0; i < shown.size(); ++i) line += (i ? ", " : "") + shown[i];
        line += ")";
        m_server->Record(line);
        const bool refused = m_server->m_refuse && m_server->m_refuse(line);

        if (m_server->NextInvoke() == m_server->m_failAtInvoke || refused) {
            if (m_server->m_failStatus == DISP_E_EXCEPTION && exception != nullptr) {
                exception->code = 1004;
                exception->description = u"Recorded refusal.";
            }
            if (argError != nullptr) *argError = 0;
            return m_server->m_failStatus;
        }
        if (put) return S_OK;

        CVariant answer = Answer(name, positional);
        if (result != nullptr) *result = std::move(answer);
        return S_OK;
    }

protected:
    ~CRecordingObject() override { m_server->Died(); }

private:
    static std::vector<std::string>& Names() {
        static std::vector<std::string> names;
        return names;
    }
    static DISPID Intern(const std::string& name) {
        auto& names = Names();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name) return static_cast<DISPID>(i);
        }
        names.push_back(name);
        return static_cast<DISPID>(names.size() - 1);
    }

    CVariant Make(std::string label) {
        return CVariant::AdoptObject(NewObject(m_server, std::move(label)));
    }

    static std::string IntegerArg(const CVariant* arg) {
        std::int32_t value = 0;
        if (arg == nullptr || Failed(arg->ToLong(value))) return "?";
        return std::to_string(value);
    }

    CVariant Answer(const std::string& name, const std::vector<const CVariant*>& args) {
        const CVariant* first = args.empty() ? nullptr : args[0];
        const CVariant* second = args.size() < 2 ? nullptr : args[1];
        if (m_type == "Application") {
            if (name == "Workbooks") return Make("Workbooks");
            if (name == "ActiveCell") return Make("Range[" + m_server->m_activeCell + "]");
            if (name == "ActiveWindow") return Make("Window");
        } else if (m_type == "Workbooks" && name == "Add") {
            return Make("Workbook");
        } else if (m_type == "Workbook") {
            if (name == "Worksheets") {
                return first ? Make("Worksheet[" + IntegerArg(first) + "]") : Make("Worksheets");
            }
            if (name == "Sheets") return Make("Sheets");
            if (name == "Names") return Make("Names");
            if (name == "Styles") return Make("Styles");
        } else if (m_type == "Styles" && (name == "Item" || name == "Add")) {
            // Every name is new: Item finds none.
            if (name == "Add") return Make("Style[" + ToUtf8(first ? first->GetText() : u"") + "]");
        } else if (m_type == "Style") {
            if (name == "Font") return Make("Font");
            if (name == "Interior") return Make("Interior");
            if (name == "Borders") return Make("Border[" + IntegerArg(first) + "]");
        } else if (name == "Count") {
            if (m_server->m_countAsDouble) return CVariant::Double(m_server->m_worksheetCount);
            return CVariant::Long(m_server->m_worksheetCount);
        } else if (m_type == "Sheets" && name == "Add") {
            ++m_server->m_worksheetCount;
            return Make("Worksheet[new]");
        } else if (m_type == "Worksheet") {
            if (name == "Cells") {
                if (second != nullptr) {
                    return Make("Range[R" + IntegerArg(first) + "C" + IntegerArg(second) + "]");
                }
                return Make("Range[R1C" + IntegerArg(first) + "]");
            }
            if (name == "Range" && first && second && first->Type() == VT_DISPATCH) {
                // Range(Cell1, Cell2) given two cells.
                auto* one = dynamic_cast<CRecordingObject*>(first->GetObject());
                auto* two = dynamic_cast<CRecordingObject*>(second->GetObject());
                if (one && two) return Make("Range[" + one->m_inner + ":" + two->m_inner + "]");
            }
            if (name == "Range" && first && second) {
                return Make("Range[" + ToUtf8(first->GetText()) + ":" + ToUtf8(second->GetText()) +
                            "]");
            }
            if (name == "Rows") return Make("Rows[" + IntegerArg(first) + "]");
            if (name == "Columns") return Make("Columns[" + IntegerArg(first) + "]");
            if (name == "Names") return Make("Names[" + m_inner + "]");
            if (name == "Select") return CVariant::Bool(true);
            if (name == "Hyperlinks") return Make("Hyperlinks");
        } else if (m_type == "Hyperlinks" && name == "Add") {
            return Make("Hyperlink");
        } else if (m_type == "Range") {
            if (name == "Select") {
                if (m_inner.find(':') == std::string::npos) m_server->m_activeCell = m_inner;
                return CVariant::Bool(true);
            }
            if (name == "Address") return CVariant::Text(FromUtf8(m_inner));
            if (name == "Value") {
                const auto text = m_server->m_cellTexts.find(m_inner);
                if (text != m_server->m_cellTexts.end()) return CVariant::Text(text->second);
            }
            if (name == "Font") return Make("Font");
            if (name == "Interior") return Make("Interior");
            if (name == "Borders") return Make("Border[" + IntegerArg(first) + "]");
            if (name == "EntireRow") return Make("Rows[" + m_inner + "]");
            if (name == "EntireColumn") return Make("Columns[" + m_inner + "]");
            if (name == "Validation") return Make("Validation");
            if (name == "FormatConditions") return Make("FormatConditions");
            if (name == "AddComment") return Make("Comment[" + m_inner + "]");
        } else if (m_type == "FormatConditions" && name == "Add") {
            return Make("FormatCondition");
        } else if (m_type == "FormatCondition") {
            if (name == "Font") return Make("Font");
            if (name == "Interior") return Make("Interior");
            if (name == "Borders") return Make("Border[" + IntegerArg(first) + "]");
        }
        return CVariant();
    }

    std::shared_ptr<CRecordingServer> m_server;
    std::string m_label;
    std::string m_type;
    std::string m_inner;
    std::uint32_t m_refs = 1;
};

std::string Describe(const CVariant& value, CRecordingServer& server) {
    switch (value.Type()) {
        case VT_EMPTY:
            return "empty";
        case VT_I2:
            return "i2:" + std::to_string(value.GetShort());
        case VT_I4:
            return "i4:" + std::to_string(value.GetLong());
        case VT_R8:
            return "r8:" + Number(value.GetDouble());
        case VT_BSTR:
            return "'" + ToUtf8(value.GetText()) + "'";
        case VT_BOOL:
            server.RecordBool(value.GetBoolWord());
            return value.GetBoolWord() != 0 ? "true" : "false";
        case VT_ERROR: {
            std::uint8_t code = 0;
            if (value.GetSheetErrorCode(code)) return "err:" + std::to_string(code);
            return "vt10";
        }
        case VT_DISPATCH: {
            auto* object = dynamic_cast<CRecordingObject*>(value.GetObject());
            return object ? "<" + object->Label() + ">" : "<null>";
        }
        case VT_VARIANT_ARRAY: {
            // As an array constant: "," between columns, ";" between rows.
            std::string shown = "{";
            const auto elements = value.GetArrayElements();
            for (std::size_t at = 0; at < elements.size(); ++at) {
                if (at > 0) shown += at % value.GetArrayColumns() == 0 ? "; " : ", ";
                shown += Describe(elements[at], server);
            }
            return shown + "}";
        }
        default:
            return "vt" + std::to_string(value.Type());
    }
}

// The client keeps dispatch ids per C++ class, as the real server has one
// class per object class: each played class gets a C++ class of its own.
template <std::size_t Kind>
class CRecordingTypedObject final : public CRecordingObject {
public:
    using CRecordingObject::CRecordingObject;
};

constexpr std::size_t kPlayedClasses = 64;

template <std::size_t... Kinds>
CRecordingObject* NewTypedObject(std::size_t kind, std::shared_ptr<CRecordingServer> server,
                                 std::string label, std::index_sequence<Kinds...>) {
    using Maker = CRecordingObject* (*)(std::shared_ptr<CRecordingServer>, std::string);
    static constexpr Maker kMakers[] = {
        [](std::shared_ptr<CRecordingServer> s, std::string l) -> CRecordingObject* {
            return new CRecordingTypedObject<Kinds>(std::move(s), std::move(l));
        }...};
    return kMakers[kind](std::move(server), std::move(label));
}

CRecordingObject* NewObject(std::shared_ptr<CRecordingServer> server, std::string label) {
    const auto& types = MembersByType();
    const auto found = types.find(TypeOfLabel(label));
    // A label of no class in the table would fail at its first lookup anyway.
    const std::size_t kind =
        found == types.end() ? types.size() : std::size_t(std::distance(types.begin(), found));
    if (kind >= kPlayedClasses) std::abort();
    return NewTypedObject(kind, std::move(server), std::move(label),
                          std::make_index_sequence<kPlayedClasses>());
}

}  // namespace

std::shared_ptr<CRecordingServer> CRecordingServer::Create() {
    return std::shared_ptr<CRecordingServer>(new CRecordingServer());
}

CServerFactory CRecordingServer::Factory() {
    std::weak_ptr<CRecordingServer> weak = weak_from_this();
    return [weak]() -> IDispatch* {
        std::shared_ptr<CRecordingServer> server = weak.lock();
        if (!server) return nullptr;
        return NewObject(server, "Application");
    };
}
