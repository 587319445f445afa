// The sections the plug-ins write into a settings file that has none of theirs, as bytes.
#pragma once

#include <string>

namespace stem {

const std::string DateDefaultsText = "[DateFormat]\r\n"
                                     "Item01=yyyy/mm/dd(aaa)\r\n"
                                     "Item02=yyyy/mm/dd(a)\r\n"
                                     "Item03=yyyy/mm/dd\r\n"
                                     "Item04=mm/ddaaa\r\n"
                                     "Item05=yyyy\x94\x4emm\x8c\x8e"
                                     "dd\x93\xfa(aaa)\r\n"  // yyyy年mm月dd日(aaa)
                                     "Item06=gggee\x94\x4emm\x8c\x8e"
                                     "dd\x93\xfa(aaa)\r\n"  // gggee年mm月dd日(aaa)
                                     "Item07=a, dd mmm yyyy\r\n"
                                     "Item08=aa, dd mmmm yyyy\r\n"
                                     "Item09=Calendar1\r\n"
                                     "Item10=Calendar2\r\n";
const std::string TimeDefaultsText = "[TimeFormat]\r\n"
                                     "Item01=\" hh:nn\"\r\n"
                                     "Item02=\" hh:nn:ss\"\r\n"
                                     "Item03=\" hh:nn am/pm\"\r\n"
                                     "Item04=\" hh\x8e\x9enn\x95\xaa\"\r\n"      // hh時nn分
                                     "Item05=\" AMPMhh\x8e\x9enn\x95\xaa\"\r\n"  // AMPMhh時nn分
                                     "Item06=\" hhnnss\"\r\n"
                                     "Item07=\" hh-nn-ss\"\r\n";

}  // namespace stem
