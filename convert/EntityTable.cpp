#include "convert/EntityTable.h"

namespace varnolet {

// Rows 0 to 94: the Latin-1 characters 0xA1 to 0xFF with their HTML 4 names.
// Rows 95 to 103: the characters HTML reserves, the space and the line ends.
// The space row gives the no-break space; the apostrophe has no HTML 4 name.
const EntityEntry EntityTable[nEntityCount] = {
    {0xA1, "&iexcl;", "&#161;"},    {0xA2, "&cent;", "&#162;"},     {0xA3, "&pound;", "&#163;"},
    {0xA4, "&curren;", "&#164;"},   {0xA5, "&yen;", "&#165;"},      {0xA6, "&brvbar;", "&#166;"},
    {0xA7, "&sect;", "&#167;"},     {0xA8, "&uml;", "&#168;"},      {0xA9, "&copy;", "&#169;"},
    {0xAA, "&ordf;", "&#170;"},     {0xAB, "&laquo;", "&#171;"},    {0xAC, "&not;", "&#172;"},
    {0xAD, "&shy;", "&#173;"},      {0xAE, "&reg;", "&#174;"},      {0xAF, "&macr;", "&#175;"},
    {0xB0, "&deg;", "&#176;"},      {0xB1, "&plusmn;", "&#177;"},   {0xB2, "&sup2;", "&#178;"},
    {0xB3, "&sup3;", "&#179;"},     {0xB4, "&acute;", "&#180;"},    {0xB5, "&micro;", "&#181;"},
    {0xB6, "&para;", "&#182;"},     {0xB7, "&middot;", "&#183;"},   {0xB8, "&cedil;", "&#184;"},
    {0xB9, "&sup1;", "&#185;"},     {0xBA, "&ordm;", "&#186;"},     {0xBB, "&raquo;", "&#187;"},
    {0xBC, "&frac14;", "&#188;"},   {0xBD, "&frac12;", "&#189;"},   {0xBE, "&frac34;", "&#190;"},
    {0xBF, "&iquest;", "&#191;"},   {0xC0, "&Agrave;", "&#192;"},   {0xC1, "&Aacute;", "&#193;"},
    {0xC2, "&Acirc;", "&#194;"},    {0xC3, "&Atilde;", "&#195;"},   {0xC4, "&Auml;", "&#196;"},
    {0xC5, "&Aring;", "&#197;"},    {0xC6, "&AElig;", "&#198;"},    {0xC7, "&Ccedil;", "&#199;"},
    {0xC8, "&Egrave;", "&#200;"},   {0xC9, "&Eacute;", "&#201;"},   {0xCA, "&Ecirc;", "&#202;"},
    {0xCB, "&Euml;", "&#203;"},     {0xCC, "&Igrave;", "&#204;"},   {0xCD, "&Iacute;", "&#205;"},
    {0xCE, "&Icirc;", "&#206;"},    {0xCF, "&Iuml;", "&#207;"},     {0xD0, "&ETH;", "&#208;"},
    {0xD1, "&Ntilde;", "&#209;"},   {0xD2, "&Ograve;", "&#210;"},   {0xD3, "&Oacute;", "&#211;"},
    {0xD4, "&Ocirc;", "&#212;"},    {0xD5, "&Otilde;", "&#213;"},   {0xD6, "&Ouml;", "&#214;"},
    {0xD7, "&times;", "&#215;"},    {0xD8, "&Oslash;", "&#216;"},   {0xD9, "&Ugrave;", "&#217;"},
    {0xDA, "&Uacute;", "&#218;"},   {0xDB, "&Ucirc;", "&#219;"},    {0xDC, "&Uuml;", "&#220;"},
    {0xDD, "&Yacute;", "&#221;"},   {0xDE, "&THORN;", "&#222;"},    {0xDF, "&szlig;", "&#223;"},
    {0xE0, "&agrave;", "&#224;"},   {0xE1, "&aacute;", "&#225;"},   {0xE2, "&acirc;", "&#226;"},
    {0xE3, "&atilde;", "&#227;"},   {0xE4, "&auml;", "&#228;"},     {0xE5, "&aring;", "&#229;"},
    {0xE6, "&aelig;", "&#230;"},    {0xE7, "&ccedil;", "&#231;"},   {0xE8, "&egrave;", "&#232;"},
    {0xE9, "&eacute;", "&#233;"},   {0xEA, "&ecirc;", "&#234;"},    {0xEB, "&euml;", "&#235;"},
    {0xEC, "&igrave;", "&#236;"},   {0xED, "&iacute;", "&#237;"},   {0xEE, "&icirc;", "&#238;"},
    {0xEF, "&iuml;", "&#239;"},     {0xF0, "&eth;", "&#240;"},      {0xF1, "&ntilde;", "&#241;"},
    {0xF2, "&ograve;", "&#242;"},   {0xF3, "&oacute;", "&#243;"},   {0xF4, "&ocirc;", "&#244;"},
    {0xF5, "&otilde;", "&#245;"},   {0xF6, "&ouml;", "&#246;"},     {0xF7, "&divide;", "&#247;"},
    {0xF8, "&oslash;", "&#248;"},   {0xF9, "&ugrave;", "&#249;"},   {0xFA, "&uacute;", "&#250;"},
    {0xFB, "&ucirc;", "&#251;"},    {0xFC, "&uuml;", "&#252;"},     {0xFD, "&yacute;", "&#253;"},
    {0xFE, "&thorn;", "&#254;"},    {0xFF, "&yuml;", "&#255;"},     {0x20, "&nbsp;", "&#160;"},
    {0x26, "&amp;", "&#38;"},       {0x22, "&quot;", "&#34;"},      {0x27, "&#39;", "&#39;"},
    {0x3C, "&lt;", "&#60;"},        {0x3E, "&gt;", "&#62;"},        {0x0D, "<br />\n", "<br />\n"},
    {0x0C, "<br />\n", "<br />\n"}, {0x0A, "<br />\n", "<br />\n"},
};

} // namespace varnolet
