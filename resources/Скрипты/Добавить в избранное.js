<SCRIPT language="JavaScript">
<!--
// Ссылка, которая подсказывает, как добавить страницу в закладки.
function addBookmark() {
  alert("Нажмите Ctrl+D, чтобы добавить страницу \"" + document.title + "\" в закладки.");
  return false;
}
document.write('<a href="#" onclick="return addBookmark();">Добавить в избранное</a>');
//-->
</SCRIPT>
