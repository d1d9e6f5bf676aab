#include "core/options.h"

namespace umlo {

TOptions TestingModeOptions() {
    TOptions o;
    o.CheckUmlo = true;
    o.NoVarOnly = false;
    o.VarOnly = false;
    o.AlwaysAsk = false;
    o.ToConfirmAbbr = false;
    o.ToConfirmCap = false;
    o.ToConfirmEllipsis = false;
    o.ProposeLast = false;
    o.RegExprs = true;
    o.FastScroll = false;
    o.Mark = true;
    o.WordWrap = false;
    o.RecallLastFile = false;
    o.FBFormat = false;
    o.AutoUnicode = false;
    o.LinesBelow = 0;
    o.FontName.clear();
    o.FontCharset = 0;
    o.FontSize = 0;
    o.ColorMark = 16711680;
    o.ColorBackMark = 65535;
    o.BackColor = 0;
    o.PlainText = false;
    o.RegExprDicLoaded = false;
    o.ProxyName.clear();
    o.ProxyPort = 0;
    o.ShowToolBar = false;
    o.NotConfirmOnClose = false;
    return o;
}

} // namespace umlo
