#include "format/CLocaleNames.h"

#include <string_view>

namespace {

// The names of one locale, each list comma-separated in calendar order
// (months January..December, days Sunday..Saturday).
struct SLocale {
    std::uint16_t m_lcid;
    const char16_t* m_months;
    const char16_t* m_monthAbbreviations;
    const char16_t* m_days;
    const char16_t* m_dayAbbreviations;
};

constexpr SLocale kEnglishUS = {
    0x0409,
    u"January,February,March,April,May,June,July,August,September,October,November,December",
    u"Jan,Feb,Mar,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec",
    u"Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday", u"Sun,Mon,Tue,Wed,Thu,Fri,Sat"};

// The first entry of a language is the one its other sublanguages fall
// back to.
// clang-format off
constexpr SLocale kLocales[] = {
    {0x0407,  // de-DE
     u"Januar,Februar,März,April,Mai,Juni,Juli,August,September,Oktober,November,Dezember",
     u"Jan,Feb,Mär,Apr,Mai,Jun,Jul,Aug,Sep,Okt,Nov,Dez",
     u"Sonntag,Montag,Dienstag,Mittwoch,Donnerstag,Freitag,Samstag",
     u"So,Mo,Di,Mi,Do,Fr,Sa"},
    {0x0C07,  // de-AT
     u"Jänner,Februar,März,April,Mai,Juni,Juli,August,September,Oktober,November,Dezember",
     u"Jän,Feb,Mär,Apr,Mai,Jun,Jul,Aug,Sep,Okt,Nov,Dez",
     u"Sonntag,Montag,Dienstag,Mittwoch,Donnerstag,Freitag,Samstag",
     u"So,Mo,Di,Mi,Do,Fr,Sa"},
    {0x040C,  // fr-FR
     u"janvier,février,mars,avril,mai,juin,juillet,août,septembre,octobre,novembre,décembre",
     u"janv.,févr.,mars,avr.,mai,juin,juil.,août,sept.,oct.,nov.,déc.",
     u"dimanche,lundi,mardi,mercredi,jeudi,vendredi,samedi",
     u"dim.,lun.,mar.,mer.,jeu.,ven.,sam."},
    {0x0C0A,  // es-ES
     u"enero,febrero,marzo,abril,mayo,junio,julio,agosto,septiembre,octubre,noviembre,diciembre",
     u"ene,feb,mar,abr,may,jun,jul,ago,sep,oct,nov,dic",
     u"domingo,lunes,martes,miércoles,jueves,viernes,sábado",
     u"dom,lun,mar,mié,jue,vie,sáb"},
    {0x0410,  // it-IT
     u"gennaio,febbraio,marzo,aprile,maggio,giugno,luglio,agosto,settembre,ottobre,novembre,dicembre",
     u"gen,feb,mar,apr,mag,giu,lug,ago,set,ott,nov,dic",
     u"domenica,lunedì,martedì,mercoledì,giovedì,venerdì,sabato",
     u"dom,lun,mar,mer,gio,ven,sab"},
    {0x0413,  // nl-NL
     u"januari,februari,maart,april,mei,juni,juli,augustus,september,oktober,november,december",
     u"jan,feb,mrt,apr,mei,jun,jul,aug,sep,okt,nov,dec",
     u"zondag,maandag,dinsdag,woensdag,donderdag,vrijdag,zaterdag",
     u"zo,ma,di,wo,do,vr,za"},
    {0x0416,  // pt-BR
     u"janeiro,fevereiro,março,abril,maio,junho,julho,agosto,setembro,outubro,novembro,dezembro",
     u"jan,fev,mar,abr,mai,jun,jul,ago,set,out,nov,dez",
     u"domingo,segunda-feira,terça-feira,quarta-feira,quinta-feira,sexta-feira,sábado",
     u"dom,seg,ter,qua,qui,sex,sáb"},
    {0x0816,  // pt-PT
     u"janeiro,fevereiro,março,abril,maio,junho,julho,agosto,setembro,outubro,novembro,dezembro",
     u"jan,fev,mar,abr,mai,jun,jul,ago,set,out,nov,dez",
     u"domingo,segunda-feira,terça-feira,quarta-feira,quinta-feira,sexta-feira,sábado",
     u"dom,seg,ter,qua,qui,sex,sáb"},
    {0x040B,  // fi-FI
     u"tammikuu,helmikuu,maaliskuu,huhtikuu,toukokuu,kesäkuu,heinäkuu,elokuu,syyskuu,lokakuu,marraskuu,joulukuu",
     u"tammi,helmi,maalis,huhti,touko,kesä,heinä,elo,syys,loka,marras,joulu",
     u"sunnuntai,maanantai,tiistai,keskiviikko,torstai,perjantai,lauantai",
     u"su,ma,ti,ke,to,pe,la"},
    {0x041D,  // sv-SE
     u"januari,februari,mars,april,maj,juni,juli,augusti,september,oktober,november,december",
     u"jan,feb,mar,apr,maj,jun,jul,aug,sep,okt,nov,dec",
     u"söndag,måndag,tisdag,onsdag,torsdag,fredag,lördag",
     u"sö,må,ti,on,to,fr,lö"},
    {0x0406,  // da-DK
     u"januar,februar,marts,april,maj,juni,juli,august,september,oktober,november,december",
     u"jan,feb,mar,apr,maj,jun,jul,aug,sep,okt,nov,dec",
     u"søndag,mandag,tirsdag,onsdag,torsdag,fredag,lørdag",
     u"søn,man,tir,ons,tor,fre,lør"},
    {0x0414,  // nb-NO
     u"januar,februar,mars,april,mai,juni,juli,august,september,oktober,november,desember",
     u"jan.,feb.,mars,april,mai,juni,juli,aug.,sep.,okt.,nov.,des.",
     u"søndag,mandag,tirsdag,onsdag,torsdag,fredag,lørdag",
     u"sø.,ma.,ti.,on.,to.,fr.,lø."},
    {0x0814,  // nn-NO
     u"januar,februar,mars,april,mai,juni,juli,august,september,oktober,november,desember",
     u"jan.,feb.,mars,april,mai,juni,juli,aug.,sep.,okt.,nov.,des.",
     u"sundag,måndag,tysdag,onsdag,torsdag,fredag,laurdag",
     u"su.,må.,ty.,on.,to.,fr.,la."},
    {0x0415,  // pl-PL
     u"styczeń,luty,marzec,kwiecień,maj,czerwiec,lipiec,sierpień,wrzesień,październik,listopad,grudzień",
     u"sty,lut,mar,kwi,maj,cze,lip,sie,wrz,paź,lis,gru",
     u"niedziela,poniedziałek,wtorek,środa,czwartek,piątek,sobota",
     u"niedz.,pon.,wt.,śr.,czw.,pt.,sob."},
    {0x0405,  // cs-CZ
     u"leden,únor,březen,duben,květen,červen,červenec,srpen,září,říjen,listopad,prosinec",
     u"led,úno,bře,dub,kvě,čvn,čvc,srp,zář,říj,lis,pro",
     u"neděle,pondělí,úterý,středa,čtvrtek,pátek,sobota",
     u"ne,po,út,st,čt,pá,so"},
    {0x041B,  // sk-SK
     u"január,február,marec,apríl,máj,jún,júl,august,september,október,november,december",
     u"jan,feb,mar,apr,máj,jún,júl,aug,sep,okt,nov,dec",
     u"Nedeľa,Pondelok,Utorok,Streda,Štvrtok,Piatok,Sobota",
     u"Ne,Po,Ut,St,Št,Pi,So"},
    {0x0424,  // sl-SI
     u"januar,februar,marec,april,maj,junij,julij,avgust,september,oktober,november,december",
     u"jan,feb,mar,apr,maj,jun,jul,avg,sep,okt,nov,dec",
     u"nedelja,ponedeljek,torek,sreda,četrtek,petek,sobota",
     u"ned,pon,tor,sre,čet,pet,sob"},
    {0x041A,  // hr-HR
     u"siječanj,veljača,ožujak,travanj,svibanj,lipanj,srpanj,kolovoz,rujan,listopad,studeni,prosinac",
     u"sij,velj,ožu,tra,svi,lip,srp,kol,ruj,lis,stu,pro",
     u"nedjelja,ponedjeljak,utorak,srijeda,četvrtak,petak,subota",
     u"ned,pon,uto,sri,čet,pet,sub"},
    {0x0419,  // ru-RU
     u"Январь,Февраль,Март,Апрель,Май,Июнь,Июль,Август,Сентябрь,Октябрь,Ноябрь,Декабрь",
     u"янв,фев,мар,апр,май,июн,июл,авг,сен,окт,ноя,дек",
     u"воскресенье,понедельник,вторник,среда,четверг,пятница,суббота",
     u"Вс,Пн,Вт,Ср,Чт,Пт,Сб"},
    {0x0422,  // uk-UA
     u"Січень,Лютий,Березень,Квітень,Травень,Червень,Липень,Серпень,Вересень,Жовтень,Листопад,Грудень",
     u"січ,лют,бер,квт,трв,чер,лип,сер,вер,жов,лис,гру",
     u"неділя,понеділок,вівторок,середа,четвер,п'ятниця,субота",
     u"Нд,Пн,Вт,Ср,Чт,Пт,Сб"},
    {0x0402,  // bg-BG
     u"януари,февруари,март,април,май,юни,юли,август,септември,октомври,ноември,декември",
     u"яну,фев,мар,апр,май,юни,юли,авг,сеп,окт,ное,дек",
     u"неделя,понеделник,вторник,сряда,четвъртък,петък,събота",
     u"нд,пн,вт,ср,чт,пт,сб"},
    {0x041F,  // tr-TR
     u"Ocak,Şubat,Mart,Nisan,Mayıs,Haziran,Temmuz,Ağustos,Eylül,Ekim,Kasım,Aralık",
     u"Oca,Şub,Mar,Nis,May,Haz,Tem,Ağu,Eyl,Eki,Kas,Ara",
     u"Pazar,Pazartesi,Salı,Çarşamba,Perşembe,Cuma,Cumartesi",
     u"Paz,Pzt,Sal,Çar,Per,Cum,Cmt"},
    {0x040E,  // hu-HU
     u"január,február,március,április,május,június,július,augusztus,szeptember,október,november,december",
     u"jan.,febr.,márc.,ápr.,máj.,jún.,júl.,aug.,szept.,okt.,nov.,dec.",
     u"vasárnap,hétfő,kedd,szerda,csütörtök,péntek,szombat",
     u"V,H,K,Sze,Cs,P,Szo"},
    {0x0418,  // ro-RO
     u"ianuarie,februarie,martie,aprilie,mai,iunie,iulie,august,septembrie,octombrie,noiembrie,decembrie",
     u"ian,febr,mar,apr,mai,iun,iul,aug,sept,oct,nov,dec",
     u"duminică,luni,marţi,miercuri,joi,vineri,sâmbătă",
     u"D,L,Ma,Mi,J,V,S"},
    {0x0408,  // el-GR
     u"Ιανουάριος,Φεβρουάριος,Μάρτιος,Απρίλιος,Μάιος,Ιούνιος,Ιούλιος,Αύγουστος,Σεπτέμβριος,Οκτώβριος,Νοέμβριος,Δεκέμβριος",
     u"Ιαν,Φεβ,Μαρ,Απρ,Μαϊ,Ιουν,Ιουλ,Αυγ,Σεπ,Οκτ,Νοε,Δεκ",
     u"Κυριακή,Δευτέρα,Τρίτη,Τετάρτη,Πέμπτη,Παρασκευή,Σάββατο",
     u"Κυρ,Δευ,Τρι,Τετ,Πεμ,Παρ,Σαβ"},
    {0x0425,  // et-EE
     u"jaanuar,veebruar,märts,aprill,mai,juuni,juuli,august,september,oktoober,november,detsember",
     u"jaan,veebr,märts,apr,mai,juuni,juuli,aug,sept,okt,nov,dets",
     u"pühapäev,esmaspäev,teisipäev,kolmapäev,neljapäev,reede,laupäev",
     u"P,E,T,K,N,R,L"},
    {0x0426,  // lv-LV
     u"janvāris,februāris,marts,aprīlis,maijs,jūnijs,jūlijs,augusts,septembris,oktobris,novembris,decembris",
     u"jan,feb,mar,apr,mai,jūn,jūl,aug,sep,okt,nov,dec",
     u"svētdiena,pirmdiena,otrdiena,trešdiena,ceturtdiena,piektdiena,sestdiena",
     u"Sv,P,O,T,C,Pk,S"},
    {0x0427,  // lt-LT
     u"sausis,vasaris,kovas,balandis,gegužė,birželis,liepa,rugpjūtis,rugsėjis,spalis,lapkritis,gruodis",
     u"Sau,Vas,Kov,Bal,Geg,Bir,Lie,Rgp,Rgs,Spl,Lap,Grd",
     u"sekmadienis,pirmadienis,antradienis,trečiadienis,ketvirtadienis,penktadienis,šeštadienis",
     u"Sk,Pr,An,Tr,Kt,Pn,Št"},
    {0x040F,  // is-IS
     u"janúar,febrúar,mars,apríl,maí,júní,júlí,ágúst,september,október,nóvember,desember",
     u"jan,feb,mar,apr,maí,jún,júl,ágú,sep,okt,nóv,des",
     u"sunnudagur,mánudagur,þriðjudagur,miðvikudagur,fimmtudagur,föstudagur,laugardagur",
     u"sun,mán,þri,mið,fim,fös,lau"},
    {0x0403,  // ca-ES
     u"gener,febrer,març,abril,maig,juny,juliol,agost,setembre,octubre,novembre,desembre",
     u"gen.,febr.,març,abr.,maig,juny,jul.,ag.,set.,oct.,nov.,des.",
     u"diumenge,dilluns,dimarts,dimecres,dijous,divendres,dissabte",
     u"dg.,dl.,dt.,dc.,dj.,dv.,ds."},
    {0x0411,  // ja-JP
     u"1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月,12月",
     u"1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月,12月",
     u"日曜日,月曜日,火曜日,水曜日,木曜日,金曜日,土曜日",
     u"日,月,火,水,木,金,土"},
    {0x0804,  // zh-CN
     u"一月,二月,三月,四月,五月,六月,七月,八月,九月,十月,十一月,十二月",
     u"1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月,12月",
     u"星期日,星期一,星期二,星期三,星期四,星期五,星期六",
     u"日,一,二,三,四,五,六"},
    {0x0412,  // ko-KR
     u"1월,2월,3월,4월,5월,6월,7월,8월,9월,10월,11월,12월",
     u"1월,2월,3월,4월,5월,6월,7월,8월,9월,10월,11월,12월",
     u"일요일,월요일,화요일,수요일,목요일,금요일,토요일",
     u"일,월,화,수,목,금,토"},
    {0x0401,  // ar-SA
     u"يناير,فبراير,مارس,أبريل,مايو,يونيو,يوليو,أغسطس,سبتمبر,أكتوبر,نوفمبر,ديسمبر",
     u"يناير,فبراير,مارس,أبريل,مايو,يونيو,يوليو,أغسطس,سبتمبر,أكتوبر,نوفمبر,ديسمبر",
     u"الأحد,الاثنين,الثلاثاء,الأربعاء,الخميس,الجمعة,السبت",
     u"الأحد,الاثنين,الثلاثاء,الأربعاء,الخميس,الجمعة,السبت"},
    {0x040D,  // he-IL
     u"ינואר,פברואר,מרץ,אפריל,מאי,יוני,יולי,אוגוסט,ספטמבר,אוקטובר,נובמבר,דצמבר",
     u"ינו,פבר,מרץ,אפר,מאי,יוני,יולי,אוג,ספט,אוק,נוב,דצמ",
     u"ראשון,שני,שלישי,רביעי,חמישי,שישי,שבת",
     u"א,ב,ג,ד,ה,ו,ש"},
    {0x041E,  // th-TH
     u"มกราคม,กุมภาพันธ์,มีนาคม,เมษายน,พฤษภาคม,มิถุนายน,กรกฎาคม,สิงหาคม,กันยายน,ตุลาคม,พฤศจิกายน,ธันวาคม",
     u"ม.ค.,ก.พ.,มี.ค.,เม.ย.,พ.ค.,มิ.ย.,ก.ค.,ส.ค.,ก.ย.,ต.ค.,พ.ย.,ธ.ค.",
     u"อาทิตย์,จันทร์,อังคาร,พุธ,พฤหัสบดี,ศุกร์,เสาร์",
     u"อา.,จ.,อ.,พ.,พฤ.,ศ.,ส."},
    {0x042A,  // vi-VN
     u"Tháng 01,Tháng 02,Tháng 03,Tháng 04,Tháng 05,Tháng 06,Tháng 07,Tháng 08,Tháng 09,Tháng 10,Tháng 11,Tháng 12",
     u"Tháng 01,Tháng 02,Tháng 03,Tháng 04,Tháng 05,Tháng 06,Tháng 07,Tháng 08,Tháng 09,Tháng 10,Tháng 11,Tháng 12",
     u"Chủ Nhật,Thứ Hai,Thứ Ba,Thứ Tư,Thứ Năm,Thứ Sáu,Thứ Bảy",
     u"Chủ Nhật,Thứ Hai,Thứ Ba,Thứ Tư,Thứ Năm,Thứ Sáu,Thứ Bảy"},
    {0x0421,  // id-ID
     u"Januari,Februari,Maret,April,Mei,Juni,Juli,Agustus,September,Oktober,November,Desember",
     u"Jan,Feb,Mar,Apr,Mei,Jun,Jul,Agu,Sep,Okt,Nov,Des",
     u"Minggu,Senin,Selasa,Rabu,Kamis,Jumat,Sabtu",
     u"Min,Sen,Sel,Rab,Kam,Jum,Sab"},
};
// clang-format on

constexpr std::uint32_t kLanguageMask = 0x3FF;
constexpr std::uint32_t kSharedSouthSlavic = 0x1A;

const SLocale& Find(std::uint32_t lcid) {
    const std::uint32_t id = lcid & 0xFFFF;
    for (const SLocale& locale : kLocales) {
        if (locale.m_lcid == id) return locale;
    }
    // Croatian, Serbian and Bosnian share one language number but not their
    // month names, so only the exact Croatian id finds them.
    if ((id & kLanguageMask) == kSharedSouthSlavic) return kEnglishUS;
    for (const SLocale& locale : kLocales) {
        if ((locale.m_lcid & kLanguageMask) == (id & kLanguageMask)) return locale;
    }
    return kEnglishUS;
}

// Item `index` (0-based) of a comma-separated list; the lists above always
// hold enough items.
std::u16string Item(std::u16string_view list, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) start = list.find(u',', start) + 1;
    const std::size_t end = list.find(u',', start);
    return std::u16string(list.substr(start, end == std::u16string_view::npos ? end : end - start));
}

}  // namespace

std::u16string_view CLocaleNames::DayPeriod(std::uint32_t lcid, bool afternoon) {
    struct SDayPeriods {
        std::uint16_t m_language;
        std::u16string_view m_morning;
        std::u16string_view m_afternoon;
    };
    static constexpr SDayPeriods kDayPeriods[] = {
        {0x11, u"午前", u"午後"},  // Japanese
        {0x04, u"上午", u"下午"},  // Chinese, every sublanguage
        {0x12, u"오전", u"오후"},  // Korean
        {0x01, u"ص", u"م"},        // Arabic
    };
    const std::uint32_t language = lcid & kLanguageMask;
    for (const SDayPeriods& periods : kDayPeriods)
        if (periods.m_language == language)
            return afternoon ? periods.m_afternoon : periods.m_morning;
    return afternoon ? u"PM" : u"AM";
}

std::u16string CLocaleNames::Month(std::uint32_t lcid, int month, bool abbreviated) {
    const SLocale& locale = Find(lcid);
    return Item(abbreviated ? locale.m_monthAbbreviations : locale.m_months, month - 1);
}

std::u16string CLocaleNames::Day(std::uint32_t lcid, int weekday, bool abbreviated) {
    const SLocale& locale = Find(lcid);
    return Item(abbreviated ? locale.m_dayAbbreviations : locale.m_days, weekday);
}
