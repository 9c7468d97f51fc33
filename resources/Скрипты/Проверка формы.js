<SCRIPT language="JavaScript">
<!--
// Проверяет, что поле "email" формы заполнено и похоже на адрес.
// Подключение: <form onsubmit="return checkForm(this)"> ... <input name="email"> ... </form>
function checkForm(form) {
  var value = form.email.value;
  if (value == "" || value.indexOf("@") < 1) {
    alert("Пожалуйста, введите правильный адрес электронной почты.");
    form.email.focus();
    return false;
  }
  return true;
}
document.write("Форма будет проверена перед отправкой.");
//-->
</SCRIPT>
