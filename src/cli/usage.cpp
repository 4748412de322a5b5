#include "cli/commands.h"

namespace tabulo::cli {

const char* const kUsage =
    "usage: tabulo COMMAND [ARGS]\n"
    "\n"
    "Moves formatted tables between workbooks and DXF drawings.\n"
    "\n"
    "commands:\n"
    "  export WORKBOOK DRAWING.dxf [--at X,Y,Z]\n"
    "                      export the active sheet of an .xls, .xlsx or .ods workbook\n"
    "                      into the drawing as a table (the drawing is created when\n"
    "                      it does not exist)\n"
    "  load DRAWING.dxf [--id N | --handle H | --block NAME] -o WORKBOOK.xlsx [--force]\n"
    "                      rebuild a table of the drawing as a formatted workbook\n"
    "  list DRAWING.dxf    list the tables of a drawing\n"
    "  options [--color-mapping layer|xls] [--scale N] [--font layer|xls]\n"
    "                      show or change the export settings\n"
    "  about               show the product and its version\n"
    "  help                show where the help is\n"
    "\n"
    "Run 'tabulo COMMAND --help' for one command's help; 'tabulo --version' for the version.\n"
    "Exit status: 0 success, 1 an error was reported, 2 a usage error.\n";

const char* const kExportUsage =
    "usage: tabulo export WORKBOOK DRAWING.dxf [--at X,Y,Z]\n"
    "\n"
    "Exports the active sheet of WORKBOOK (.xls, .xlsx or .ods) into DRAWING.dxf as a\n"
    "table block inserted in model space at X,Y,Z (default 0,0,0). The drawing is\n"
    "created when it does not exist; an existing drawing keeps everything it holds and\n"
    "is replaced only when the export succeeded. The workbook is only read.\n"
    "Colours, scale and fonts follow the settings ('tabulo options').\n"
    "Prints the new table's block name, id and handle.\n";

const char* const kLoadUsage =
    "usage: tabulo load DRAWING.dxf [--id N | --handle H | --block NAME] -o WORKBOOK.xlsx "
    "[--force]\n"
    "\n"
    "Rebuilds a table of DRAWING.dxf as a formatted worksheet and saves it as\n"
    "WORKBOOK.xlsx. The table is chosen by its id (the handle as a decimal number, as\n"
    "'tabulo list' shows it), its handle (hexadecimal) or its block name; without a\n"
    "choice the drawing must hold exactly one table. An existing WORKBOOK.xlsx is\n"
    "replaced only with --force. The drawing is only read.\n";

const char* const kListUsage =
    "usage: tabulo list DRAWING.dxf\n"
    "\n"
    "Lists every table reference in model space: id (the entity's handle as an\n"
    "unsigned 32-bit number), handle, block name, insertion point, scale, and rows x\n"
    "columns from its table data.\n";

const char* const kOptionsUsage =
    "usage: tabulo options [--color-mapping layer|xls] [--scale N] [--font layer|xls]\n"
    "\n"
    "Without options, shows the export settings as the options dialog loads them.\n"
    "With options, changes them as the dialog's OK does: the scale must be a number\n"
    "(the height a 12-point font gets in drawing units); nothing is saved when it is not.\n";

const char* const kAboutUsage = "usage: tabulo about\n\nShows the product's name and version.\n";

const char* const kHelpUsage =
    "usage: tabulo help\n\nShows where the help pages are, or this command's usage.\n";

}  // namespace tabulo::cli
