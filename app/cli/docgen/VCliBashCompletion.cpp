#include "VCliBashCompletion.h"

#include "VCliCommands.h"

namespace {

// What does not depend on the tables: reading the words, and completing one kind of value.
const char* const kHelpers =
    R"(# The names that "vantaro encoders" or "vantaro effects" lists first on each line, those
# that begin with what was typed, in any case and without the shell's quoting.
_vantaro_names()
{
    local program=$1 listing=$2 typed=$3 line
    typed=${typed#[\"\']}
    typed=${typed//\\/}
    [[ $program == "~/"* ]] && program=$HOME/${program#"~/"}
    # The shell quotes the spaces and parentheses of a name it inserts.
    compopt -o filenames 2>/dev/null
    while IFS= read -r line; do
        line=${line%%  *}
        if [[ -n $line && ${line,,} == "${typed,,}"* ]]; then
            COMPREPLY+=("$line")
        fi
    done < <("$program" "$listing" 2>/dev/null)
}

# Completes a value of one kind: file, folder, encoder, effect or text (nothing to offer).
_vantaro_value()
{
    local kind=$1 cur=$2 program=$3
    case $kind in
        file)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
        folder)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur") ;;
        encoder) _vantaro_names "$program" encoders "$cur" ;;
        effect) _vantaro_names "$program" effects "$cur" ;;
    esac
}

_vantaro()
{
    COMPREPLY=()
    local cur=${COMP_WORDS[COMP_CWORD]} prev= option= operands= i
    local program=${COMP_WORDS[0]}
    (( COMP_CWORD > 0 )) && prev=${COMP_WORDS[COMP_CWORD-1]}
    # The shell splits "--option=value" at "=".
    if [[ $cur == = ]]; then
        option=$prev
        cur=
    elif [[ $prev == = ]] && (( COMP_CWORD > 1 )); then
        option=${COMP_WORDS[COMP_CWORD-2]}
    else
        option=$prev
    fi
    # After "--" every word is a file.
    for (( i = 2; i < COMP_CWORD; i++ )); do
        [[ ${COMP_WORDS[i]} == -- ]] && operands=1
    done
    local command=
    (( COMP_CWORD > 1 )) && command=${COMP_WORDS[1]}
    case $command in
)";

}  // namespace

std::string VCliBashCompletion::kindWord(VCliValueKind kind) {
    switch (kind) {
        case VCliValueKind::kFile:
            return "file";
        case VCliValueKind::kFolder:
            return "folder";
        case VCliValueKind::kEncoder:
            return "encoder";
        case VCliValueKind::kEffect:
            return "effect";
        case VCliValueKind::kText:
            break;
    }
    return "text";
}

std::string VCliBashCompletion::commandBranch(const std::string& name,
                                              const std::vector<VCliOptionDef>& options,
                                              VCliValueKind operandKind) {
    std::string words;
    std::string valueCases;
    for (const VCliOptionDef& def : options) {
        words += (words.empty() ? "--" : " --") + def.longName;
        if (!def.takesValue) {
            continue;
        }
        std::string pattern = "--" + def.longName;
        if (def.shortName != 0) {
            pattern += std::string("|-") + def.shortName;
        }
        valueCases += "                " + pattern + ")\n                    _vantaro_value " +
                      kindWord(def.valueKind) + " \"$cur\" \"$program\"\n" +
                      "                    return ;;\n";
    }
    std::string text = "        " + (name.empty() ? std::string("\"\"") : name) + ")\n";
    text += "            if [[ -z $operands ]]; then\n";
    if (!valueCases.empty()) {
        text += "                case $option in\n" + valueCases + "                esac\n";
    }
    text +=
        "                if [[ $cur == -* ]]; then\n"
        "                    mapfile -t COMPREPLY < <(compgen -W \"" +
        words +
        "\" -- \"$cur\")\n"
        "                    return\n"
        "                fi\n"
        "            fi\n";
    if (name.empty()) {
        std::string commands;
        for (const VCliCommand& command : VCliCommands::all()) {
            commands += (commands.empty() ? "" : " ") + command.name;
        }
        text +=
            "            mapfile -t COMPREPLY < <(compgen -W \"" + commands + "\" -- \"$cur\")\n";
    } else {
        text += "            _vantaro_value " + kindWord(operandKind) + " \"$cur\" \"$program\"\n";
    }
    text += "            ;;\n";
    return text;
}

std::string VCliBashCompletion::render() {
    std::string text =
        "# bash completion for vantaro(1), made by vantaro-docgen from the program's option\n"
        "# tables; do not edit.\n\n";
    text += kHelpers;
    text += commandBranch("", VCliCommands::programOptions(), VCliValueKind::kText);
    for (const VCliCommand& command : VCliCommands::all()) {
        text += commandBranch(command.name, command.options(), command.operandKind);
    }
    text +=
        "    esac\n"
        "}\n"
        "\n"
        "complete -F _vantaro vantaro\n";
    return text;
}
