<SCRIPT language="JavaScript">
<!--
// Ссылка "Наверх", которая возвращает к началу страницы.
document.write('<p align="right"><a href="#" onclick="window.scrollTo(0, 0); return false;">Наверх</a></p>');
//-->
</SCRIPT>
