#include "editor/rules/java_rules.h"

namespace orv {
namespace {

TColorRule& AddRule(TDrawRules& rules, TKeyDrawingType type, TColor color) {
  TColorRule& rule = rules.Add();
  rule.KeyDrawingType = type;
  rule.DefKeyColor = color;
  return rule;
}

}  // namespace

void InstallJavaRules(TDrawRules& rules) {
  rules.Clear();
  AddRule(rules, TKeyDrawingType::dtBeginEnd, kJavaCommentColor).SetKeyBegEndLst({u"/*;*/"});
  AddRule(rules, TKeyDrawingType::dtKeyShow, kJavaKeywordColor)
      .SetKeywords({u"--", u"{", u"}", u"++", u"(double)", u"(float)", u"(int)", u"args[]", u"break",
                    u"Calendar.DATE", u"Calendar.HOUR", u"Calendar.MINUTE", u"Calendar.MONTH",
                    u"Calendar.SECOND", u"Calendar.YEAR", u"close()", u"delete()", u"do", u"else",
                    u"FileInputStream", u"FileOutputStream", u"for", u"if", u"length()", u"Math.abs",
                    u"Math.abs()", u"Math.ceil", u"Math.cos", u"Math.exp", u"Math.log", u"Math.sin",
                    u"Math.sqrt", u"mkdir()", u"new", u"nextInt()", u"Random", u"return", u"substring",
                    u"System.out.print", u"System.out.println", u"toLowerCase", u"toString()",
                    u"toUpperCase"});
  AddRule(rules, TKeyDrawingType::dtBeginLineEnd, kJavaCommentColor).SetKeyLineEndLst({u"//"});
  AddRule(rules, TKeyDrawingType::dtKeyShow, kJavaDeclColor)
      .SetKeywords({u"void", u"void()", u"main(String args[])", u"char", u"class", u"float", u"public",
                    u"import", u"int", u"static"});
}

}  // namespace orv
