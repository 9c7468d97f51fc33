<SCRIPT language="JavaScript">
<!--
// Бегущая строка в заголовке окна браузера.
var text = "Добро пожаловать на мою страницу! ";
var position = 0;
function scrollTitle() {
  document.title = text.substring(position) + text.substring(0, position);
  position = (position + 1) % text.length;
  setTimeout("scrollTitle()", 200);
}
scrollTitle();
document.write("Посмотрите на заголовок окна.");
//-->
</SCRIPT>
